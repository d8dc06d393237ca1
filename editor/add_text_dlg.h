// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The editor "编辑" (dialog 152): the frame strip on the left, the picture
// area with the current frame, the command buttons above it and the caption
// controls below. It works in place on the frame sequence and the caption
// list it is given; every command changes them at once.
//
// Run it modally: exec() returns Generate when the user confirmed "生成动画"
// (the opener then starts a generation) and Rejected when it was closed.
// Either way the closing steps have run: tools ended, strip items released,
// caption controls stored as defaults in the settings. Putting the capture
// window back on top (TopWnd) is the opener's.
//
// Tools (captions, crop, filter, cinemagraph) plug in through EditorTool
// (editor/editor_tool.h); this class is their EditorHost.
#include <QBasicTimer>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "editor/editor_tool.h"
#include "editor/picture_geometry.h"
#include "imaging/raster_image.h"

class CIconButton;
class CSizeDlg;
class FilterLut;
class QComboBox;
class QMenu;

class CAddTextDlg : public QDialog, public EditorHost {
    Q_OBJECT
public:
    // exec() result when the dialog closed to generate.
    static constexpr int Generate = QDialog::Accepted;
    static constexpr int kMinDragWidth = 900;
    static constexpr int kMinDragHeight = 602;
    static constexpr int kPlaybackMs = 200;

    // Commands of the pop-up menus (an action's data is its command).
    enum Command : int {
        CmdToggleDeleted = 1,  // "删除或取消删除"
        CmdRemoveFrames,       // "彻底移除(不可恢复)"
        CmdInsertBefore,       // "在第 %d 帧之前插入"
        CmdInsertAfter,        // "在第 %d 帧之后插入"
        CmdFaster,             // "加快动画速度"
        CmdSlower,             // "减慢动画速度"
        CmdReverse,            // "在时间上逆序"
        CmdRotateLeft,         // "左旋 90 度"
        CmdRotateRight,        // "右旋 90 度"
        CmdFlipVertical,       // "上下翻转"
        CmdFlipHorizontal,     // "左右翻转"
    };

    CAddTextDlg(FrameSequence& sequence, CaptionList& captions, AppSettings& settings,
                QWidget* parent = nullptr);
    ~CAddTextDlg() override;

    // Tools: owned from here on; attach() runs at once when the dialog is
    // already built (installEditorTools runs inside the constructor).
    void installTool(std::unique_ptr<EditorTool> tool);
    const std::vector<std::unique_ptr<EditorTool>>& tools() const { return tools_; }

    // --- EditorHost ------------------------------------------------------------
    QWidget* editorWidget() override { return this; }
    QWidget* control(int id) const override;
    QWidget* captionListControl() const override { return captionList_; }
    XListView* strip() const override { return strip_; }
    FrameSequence& sequence() override { return seq_; }
    CaptionList& captions() override { return captions_; }
    AppSettings& settings() override { return settings_; }
    int currentFrame() const override { return current_; }
    float displayScale() const override { return geometry_.scale; }
    QRect displayedImageRect() const override { return geometry_.image; }
    QRect pictureArea() const override { return area_; }
    QPoint toFramePixels(const QPoint& clientPos) const override;
    void requestRepaint() override;
    void redrawStrip() override;
    void showFrame(int n) override;
    QAction* popUpMenu(QMenu& menu, QWidget* under) override;
    EditorMode mode() const override { return mode_; }
    bool enterMode(EditorMode mode) override;
    void leaveMode() override;

    // --- state for the opener and tests ---------------------------------------
    CIconButton* button(int id) const;
    bool isPlaying() const { return mode_ == EditorMode::Playing; }
    const FilterLut* filterPreview() const { return filter_.get(); }
    // The controls the modes disable and enable together.
    static const std::vector<int>& modeControlIds();

    // Draws the picture area now into its off-screen buffer (what a paint
    // copies to the screen) and returns it.
    QImage renderPictureArea();

    // The menus as they pop up; runCommand does what choosing an item does.
    std::unique_ptr<QMenu> makeDeleteMenu();
    std::unique_ptr<QMenu> makeInsertMenu();
    std::unique_ptr<QMenu> makeSpeedMenu();
    std::unique_ptr<QMenu> makeReverseMenu();
    void runCommand(int command);

    // Seams for tests: how a pop-up menu is run (returns the chosen action or
    // null) and how the size dialog is run (true for OK).
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& screenPos)>;
    using SizeDialogRunner = std::function<bool(CSizeDlg& dialog)>;
    void setMenuRunner(MenuRunner runner) { menuRunner_ = std::move(runner); }
    void setSizeDialogRunner(SizeDialogRunner runner) { sizeRunner_ = std::move(runner); }

    // Filter shown in the picture and on button 11 (what UM_FILTER_CHOSEN does).
    void setFilter(int number);

    // Button handlers (what a click does).
    void onInsertFrames();  // 8
    void onDeleteFrames();  // 7
    void onFilter();        // 11
    void onCinemagraph();   // 15
    void onCrop();          // 10
    void onReverse();       // 12
    void onSlowPlay();      // 6
    void onSpeed();         // 13
    void onGenerate();      // 9

public slots:
    void reject() override;
    void accept() override {}  // Enter does nothing

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Placement {
        QWidget* widget = nullptr;
        int left = 0;
        int top = 0;         // top-row buttons
        int fromBottom = 0;  // caption controls: client height - top
        int fromRight = -1;  // caption list: client width - right edge
        bool bottomAnchored = false;
    };

    void createControls();
    void fillCaptionControls();
    void recordLayout();
    void applyLayout();
    void computePictureArea();
    void placeStrip();
    void paintPicture(QImage& buffer);
    bool offerCommand(int id);
    void popUp(QMenu& menu, QWidget* under);
    void startPlayback();
    void stopPlayback();
    void playbackTick();
    void selectAndReveal(int frame);
    void framesChanged();
    void storeDefaults();
    void finish(int result);
    EditorMouseEvent mouseEvent(const QMouseEvent* e) const;
    void updateCursor(const QPoint& pos);

    FrameSequence& seq_;
    CaptionList& captions_;
    AppSettings& settings_;

    QHash<int, QWidget*> controls_;
    XListView* strip_ = nullptr;
    QWidget* captionList_ = nullptr;
    QComboBox* fontList_ = nullptr;
    QComboBox* sizeList_ = nullptr;
    QComboBox* bkStyleList_ = nullptr;
    std::vector<Placement> placements_;
    bool layoutRecorded_ = false;

    int current_ = 1;
    EditorMode mode_ = EditorMode::Normal;
    QBasicTimer playTimer_;
    QRect area_;
    PictureGeometry geometry_;
    QImage areaBuffer_;        // picture-area sized, reused between paints
    RasterImage frameBuffer_;  // frame sized, reused between paints
    QImage hatch_;             // the hatching of the area, drawn once per size
    std::unique_ptr<FilterLut> filter_;
    std::vector<std::unique_ptr<EditorTool>> tools_;
    bool attached_ = false;
    bool finished_ = false;

    MenuRunner menuRunner_;
    SizeDialogRunner sizeRunner_;
};
