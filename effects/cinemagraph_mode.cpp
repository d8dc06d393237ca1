// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/cinemagraph_mode.h"

#include <QPainter>
#include <QWidget>

#include "capture/frame_sequence.h"
#include "effects/cinemagraph.h"
#include "effects/cinemagraph_dlg.h"
#include "gif/ordered_parallel.h"
#include "res/resource.h"
#include "share/progress_wnd.h"

CinemagraphMode::CinemagraphMode() = default;

CinemagraphMode::~CinemagraphMode()
{
    if (dialog_)
        delete dialog_.data();
}

bool CinemagraphMode::command(int id)
{
    if (id != IDC_EDITOR_CINEMAGRAPH || !host_)
        return false;
    if (!mask_)
        start();
    return true;
}

void CinemagraphMode::start()
{
    const QRect shown = host_->displayedImageRect();
    // Without a picture on screen there is nothing to paint on.
    if (shown.isEmpty() || !host_->enterMode(EditorMode::Cinemagraph))
        return;
    mask_ = std::make_unique<CinemagraphMask>(shown.size());
    if (!mask_->isValid()) {
        mask_.reset();
        host_->leaveMode();
        return;
    }
    QWidget* editor = host_->editorWidget();
    auto* dlg = new CCinemagraphDlg(
        brush_, host_->currentFrame(), [this] { return host_->currentFrame(); }, editor);
    dialog_ = dlg;
    QObject::connect(dlg, &CCinemagraphDlg::brushValueChanged, dlg, [this](int v) { brush_ = v; });
    QObject::connect(dlg, &CCinemagraphDlg::saveRequested, dlg, [this] { save(); });
    QObject::connect(dlg, &CCinemagraphDlg::closed, dlg, [this] { end(); });
    dlg->move(editor->mapToGlobal(host_->pictureArea().topLeft()));
    dlg->show();
    host_->requestRepaint();
}

void CinemagraphMode::end()
{
    if (!mask_ && !dialog_)
        return;
    stroking_ = false;
    mask_.reset();
    if (dialog_) {
        CCinemagraphDlg* dlg = dialog_.data();
        dialog_.clear();
        dlg->disconnect();
        dlg->hide();
        dlg->deleteLater();  // it may be the sender of the call that ended the mode
    }
    if (host_->mode() == EditorMode::Cinemagraph)
        host_->leaveMode();
    host_->requestRepaint();
}

void CinemagraphMode::save()
{
    if (!mask_)
        return;
    RasterImage mask = mask_->toRasterImage();
    const int still = dialog_ ? dialog_->stillFrame() : host_->currentFrame();
    end();
    {
        CProgressWnd progress(host_->editorWidget(), progressTitle());
        cinemagraph::apply(host_->sequence(), still, std::move(mask), &progress, generationThreadCount());
    }
    host_->redrawStrip();
    host_->requestRepaint();
}

bool CinemagraphMode::mousePress(const EditorMouseEvent& e)
{
    if (!mask_)
        return false;
    if (e.button == Qt::LeftButton && host_->displayedImageRect().contains(e.pos)) {
        last_ = e.pos;
        stroking_ = true;
    }
    return true;
}

bool CinemagraphMode::mouseMove(const EditorMouseEvent& e)
{
    if (!mask_)
        return false;
    const QRect shown = host_->displayedImageRect();
    if (stroking_ && (e.buttons & Qt::LeftButton) && shown.contains(e.pos)) {
        mask_->stroke(last_ - shown.topLeft(), e.pos - shown.topLeft(), brush_);
        last_ = e.pos;
        host_->requestRepaint();
    }
    return true;
}

bool CinemagraphMode::mouseRelease(const EditorMouseEvent& e)
{
    if (!mask_)
        return false;
    if (e.button == Qt::LeftButton)
        stroking_ = false;
    return true;
}

bool CinemagraphMode::mouseDoubleClick(const EditorMouseEvent& e)
{
    if (!mask_)
        return false;
    mousePress(e);
    return true;
}

void CinemagraphMode::paintOverImage(QPainter& painter, const QRect& imageRect)
{
    if (!mask_)
        return;
    painter.save();
    painter.setOpacity(CinemagraphMask::kOverlayOpacity / 255.0);
    painter.drawImage(imageRect.topLeft(), mask_->image());
    painter.restore();
}

void CinemagraphMode::closing()
{
    end();
}
