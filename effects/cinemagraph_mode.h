// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Cinemagraph mode of the editor, button 15. Starting it disables the
// editor's controls, opens the tool window on top at the picture area's
// top-left corner and makes a white mask of the displayed picture's size,
// drawn over the picture at 63/255 opacity. Dragging with the left button
// inside the picture paints the mask with the brush or the eraser. "保存"
// takes the mask, ends the mode and gives every frame the still frame's
// pixels wherever the mask stayed white (with a progress window); closing
// the tool window ends the mode without changing a frame. The brush value
// (initially 40) is kept between uses.
#include <QPoint>
#include <QPointer>
#include <memory>

#include "editor/editor_tool.h"
#include "effects/cinemagraph_dlg.h"
#include "effects/cinemagraph_mask.h"

class CinemagraphMode : public EditorTool {
public:
    static constexpr int kInitialBrush = 40;

    CinemagraphMode();
    ~CinemagraphMode() override;

    void attach(EditorHost& host) override { host_ = &host; }
    bool command(int id) override;
    bool mousePress(const EditorMouseEvent& e) override;
    bool mouseMove(const EditorMouseEvent& e) override;
    bool mouseRelease(const EditorMouseEvent& e) override;
    bool mouseDoubleClick(const EditorMouseEvent& e) override;
    void paintOverImage(QPainter& painter, const QRect& imageRect) override;
    void closing() override;

    bool active() const { return mask_ != nullptr; }
    int brushValue() const { return brush_; }
    const CinemagraphMask* mask() const { return mask_.get(); }
    CCinemagraphDlg* dialog() const { return dialog_.data(); }

    // "保存" and the tool window's close box.
    void save();
    void end();

private:
    void start();

    EditorHost* host_ = nullptr;
    QPointer<CCinemagraphDlg> dialog_;
    std::unique_ptr<CinemagraphMask> mask_;
    QPoint last_;
    bool stroking_ = false;
    int brush_ = kInitialBrush;
};
