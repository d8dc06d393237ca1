// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The editor's captions tool: the caption list 1019 with its in-place editor
// 1008, buttons 5 ("添加字幕") and 3 ("删除字幕"), the caption controls
// (1010-1017), picking and dragging captions in the picture, and the captions'
// preview on the shown frame.
//
// The controls are the settings of the next new caption. A change made by the
// user is also applied to the active caption (the first selected caption whose
// range encloses the shown frame); selecting a caption, from the list or in the
// picture, loads the controls from it.
#include <QObject>
#include <QPoint>
#include <QPointer>

#include "editor/caption_editing.h"
#include "editor/editor_tool.h"

class CListCtrlEx;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QValidator;
class CColorPickerButton;
class CaptionItem;

class CaptionPanel : public QObject, public EditorTool {
    Q_OBJECT
public:
    CaptionPanel();
    ~CaptionPanel() override;

    void attach(EditorHost& host) override;
    bool command(int id) override;
    bool mousePress(const EditorMouseEvent& e) override;
    bool mouseMove(const EditorMouseEvent& e) override;
    void drawOnFrame(RasterImage& frameBuffer, int frameNumber) override;

    // What the caption controls show now.
    CaptionStyle controlStyle() const;
    // The controls loaded from a caption.
    void loadControls(const CaptionItem& caption);

    void addCaption();
    void deleteSelectedCaption();
    CListCtrlEx* list() const;

private:
    int dpi() const;
    int recordCount() const;
    void fillList();
    void insertRow(CaptionItem* caption);
    void updateRow(const CaptionItem* caption);
    void rowClicked(int row);
    void controlChanged(caption_editing::StyleChange change);
    void verticalClicked();
    bool beginCellEdit(QWidget* editor, int column, QString& text, void* data);
    bool endCellEdit(QWidget* editor, int column, QString& text, void* data);

    EditorHost* host_ = nullptr;
    QPointer<CListCtrlEx> list_;
    QLineEdit* cellEditor_ = nullptr;
    QComboBox* fontList_ = nullptr;
    QComboBox* sizeList_ = nullptr;
    QComboBox* bkStyleList_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* vertical_ = nullptr;
    CColorPickerButton* textColor_ = nullptr;
    CColorPickerButton* bkColor_ = nullptr;
    QValidator* digitsOnly_ = nullptr;
    QPoint dragOffset_;
};
