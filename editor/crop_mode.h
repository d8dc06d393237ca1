// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Crop mode of the editor, button 10 ("裁剪", check style). The first click
// puts a tracker rectangle around the whole displayed picture (refused on a
// deleted frame: the button just unchecks); while the mode is on the
// editor's other controls are disabled, presses and drags go to the tracker
// and the tracker is drawn over the picture. The second click asks
// "确定裁剪" / "取消": confirming cuts every frame to the rectangle (in frame
// pixels) and sets the output scale to 1.0. A resize or the closing of the
// editor ends the mode without cropping.
#include <QPoint>
#include <memory>

#include "editor/crop_tracker.h"
#include "editor/editor_tool.h"

class CropMode : public EditorTool {
public:
    // The data of the two items of the menu that ends the mode.
    static constexpr int kConfirmCommand = 1001;  // "确定裁剪"
    static constexpr int kCancelCommand = 1002;   // "取消"

    CropMode();
    ~CropMode() override;

    void attach(EditorHost& host) override;
    bool command(int id) override;
    bool mousePress(const EditorMouseEvent& e) override;
    bool mouseMove(const EditorMouseEvent& e) override;
    bool mouseRelease(const EditorMouseEvent& e) override;
    bool mouseDoubleClick(const EditorMouseEvent& e) override;
    bool cursorAt(const QPoint& pos, Qt::CursorShape& shape) const override;
    void paintOverArea(QPainter& painter) override;
    void resized() override;
    void closing() override;

    bool active() const { return tracker_ != nullptr; }
    const CCropTracker* tracker() const { return tracker_.get(); }

    // The two ways out: cut every frame to the rectangle, or leave them.
    void confirm();
    void cancel();

private:
    void enter();
    void askToLeave();
    void end();
    void setButtonChecked(bool on);

    EditorHost* host_ = nullptr;
    std::unique_ptr<CCropTracker> tracker_;
};
