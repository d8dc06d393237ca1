// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/filter_tool.h"

#include <QAbstractScrollArea>
#include <QWidget>

#include "capture/frame_sequence.h"
#include "editor/x_list_view.h"
#include "effects/filter_dialog.h"
#include "res/resource.h"

bool FilterTool::command(int id)
{
    if (id != IDC_EDITOR_FILTER || !host_)
        return false;
    QWidget* editor = host_->editorWidget();
    QWidget* strip = host_->strip();
    int stripClient = 0;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(strip))
        stripClient = area->viewport()->width();
    else if (strip)
        stripClient = strip->contentsRect().width();
    const QRect frame = editor->frameGeometry();
    const QPoint at(frame.left() + stripClient, frame.top());
    CFilterDialog dlg(editor, host_->sequence().FrameImage(host_->currentFrame()), host_->settings(), at,
                      editor, loader_);
    if (runner_)
        runner_(dlg);
    else
        dlg.exec();
    return true;
}
