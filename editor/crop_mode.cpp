// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/crop_mode.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/crop_frames.h"
#include "res/resource.h"
#include "widgets/icon_button.h"

CropMode::CropMode() = default;
CropMode::~CropMode() = default;

void CropMode::attach(EditorHost& host)
{
    host_ = &host;
}

void CropMode::setButtonChecked(bool on)
{
    if (auto* b = qobject_cast<CIconButton*>(host_->control(IDC_EDITOR_CROP)))
        b->setCheck(on ? 1 : 0);
}

bool CropMode::command(int id)
{
    if (id != IDC_EDITOR_CROP || !host_)
        return false;
    if (tracker_)
        askToLeave();
    else
        enter();
    return true;
}

void CropMode::enter()
{
    const FrameRecord* record = host_->sequence().at(host_->currentFrame() - 1);
    const CropRect shown = CropRect::fromQRect(host_->displayedImageRect());
    // Nothing to crop on a deleted frame, nor without a picture on screen.
    if ((record && !record->included()) || shown.isEmpty() || !host_->enterMode(EditorMode::Crop)) {
        setButtonChecked(false);
        return;
    }
    tracker_ = std::make_unique<CCropTracker>(shown, shown);
    setButtonChecked(true);
    host_->requestRepaint();
}

void CropMode::askToLeave()
{
    QWidget* under = host_->control(IDC_EDITOR_CROP);
    QMenu menu(host_->editorWidget());
    QAction* ok = menu.addAction(QCoreApplication::translate("CropMode", "确定裁剪"));
    ok->setData(kConfirmCommand);
    menu.addAction(QCoreApplication::translate("CropMode", "取消"))->setData(kCancelCommand);
    QAction* chosen = host_->popUpMenu(menu, under);
    if (chosen == ok)
        confirm();
    else
        cancel();
}

void CropMode::confirm()
{
    if (!tracker_)
        return;
    const CropRect area = cropframes::frameArea(host_->displayScale(), tracker_->rect(),
                                                CropRect::fromQRect(host_->displayedImageRect()));
    cropframes::cropSequence(host_->sequence(), area, host_->settings());
    end();
    host_->redrawStrip();
}

void CropMode::cancel()
{
    if (tracker_)
        end();
}

void CropMode::end()
{
    tracker_.reset();
    setButtonChecked(false);
    if (host_->mode() == EditorMode::Crop)
        host_->leaveMode();
    host_->requestRepaint();
}

bool CropMode::mousePress(const EditorMouseEvent& e)
{
    if (!tracker_)
        return false;
    if (e.button == Qt::LeftButton && tracker_->begin(e.pos))
        host_->requestRepaint();
    return true;  // the picture belongs to the tracker meanwhile
}

bool CropMode::mouseMove(const EditorMouseEvent& e)
{
    if (!tracker_)
        return false;
    if (tracker_->tracking()) {
        if (e.buttons & Qt::LeftButton) {
            tracker_->moveTo(e.pos);
        } else {
            tracker_->end();  // the release went elsewhere
        }
        host_->requestRepaint();
    }
    return true;
}

bool CropMode::mouseRelease(const EditorMouseEvent& e)
{
    if (!tracker_)
        return false;
    if (e.button == Qt::LeftButton && tracker_->tracking()) {
        tracker_->moveTo(e.pos);
        tracker_->end();
        host_->requestRepaint();
    }
    return true;
}

bool CropMode::mouseDoubleClick(const EditorMouseEvent& e)
{
    // A quick second press counts as a press of its own.
    if (!tracker_)
        return false;
    mousePress(e);
    return true;
}

bool CropMode::cursorAt(const QPoint& pos, Qt::CursorShape& shape) const
{
    if (!tracker_)
        return false;
    shape = tracker_->tracking() ? CCropTracker::cursorFor(tracker_->trackedHit()) : tracker_->cursorAt(pos);
    return true;
}

void CropMode::paintOverArea(QPainter& painter)
{
    if (tracker_)
        tracker_->paint(painter, host_->displayScale());
}

void CropMode::resized()
{
    cancel();
}

void CropMode::closing()
{
    cancel();
}
