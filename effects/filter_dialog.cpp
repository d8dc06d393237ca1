// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/filter_dialog.h"

#include <QKeyEvent>
#include <QResizeEvent>

#include "app/app_settings.h"
#include "effects/filter_list_view.h"
#include "effects/filter_previews.h"
#include "gif/ordered_parallel.h"
#include "platform/control_id.h"
#include "res/resource.h"

CFilterDialog::CFilterDialog(QObject* editor, const RasterImage* frame, AppSettings& settings,
                             const QPoint& topLeft, QWidget* parent, const FilterLoader& loader)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      editor_(editor),
      settings_(settings),
      current_(settings.filterNumber)
{
    setControlId(this, IDD_FILTER_DIALOG);
    setWindowTitle(tr("滤镜"));
    setMinimumSize(kWidth, 100);
    setMaximumWidth(kWidth);
    resize(kWidth, kHeight);
    move(topLeft);  // the window's own top-left corner, frame included

    list_ = new FilterListView(this);
    list_->setGeometry(0, 0, kListWidth, height());

    // The previews need the thumbnail space, which the list knows once it
    // has its size.
    list_->setItems(FilterPreviews::make(frame, list_->thumbnailSpace(), generationThreadCount(), loader));

    messages_.on(UM_FILTER_CLICKED, [this](intptr_t, intptr_t l) { onFilterClicked(int(l)); });
}

CFilterDialog::~CFilterDialog() = default;

bool CFilterDialog::event(QEvent* e)
{
    return messages_.dispatch(e) || QDialog::event(e);
}

void CFilterDialog::keyPressEvent(QKeyEvent* e)
{
    // Enter does not close the dialog; Escape does (as the close box).
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CFilterDialog::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (list_)
        list_->setGeometry(0, 0, kListWidth, height());
}

void CFilterDialog::onFilterClicked(int number)
{
    bool available = false;
    for (int i = 0; list_ && i < list_->count(); ++i) {
        if (list_->item(i).number == number)
            available = list_->item(i).available;
    }
    current_ = (number == 0 || available) ? number : 0;
    settings_.filterNumber = current_;
    if (editor_)
        sendWindowMessage(editor_, UM_FILTER_CHOSEN, 0, current_);
}
