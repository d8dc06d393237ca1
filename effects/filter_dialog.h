// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The filter dialog "滤镜" (dialog 204): a narrow window beside the editor's
// frame strip with the filter list, one preview of the editor's current frame
// per filter. Choosing an entry's "应用 >>" makes that filter current (none
// when its file does not load) and sends UM_FILTER_CHOSEN with the current
// filter to the editor; the dialog stays open until its close box or Escape.
// Enter does nothing. Its width stays 160 pixels; the list follows its height.
#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QString>

#include "effects/filter_previews.h"
#include "platform/window_message.h"

class FilterListView;
class RasterImage;
struct AppSettings;

class CFilterDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 640;
    static constexpr int kListWidth = 150;

    // `editor` receives UM_FILTER_CHOSEN; `frame` is the editor's current
    // frame (null when there is none); the dialog opens with its top-left
    // corner at the screen point `topLeft`. `loader` reads the filters
    // (empty: where the program keeps them).
    CFilterDialog(QObject* editor, const RasterImage* frame, AppSettings& settings, const QPoint& topLeft,
                  QWidget* parent = nullptr, const FilterLoader& loader = FilterLoader());
    ~CFilterDialog() override;

    FilterListView* list() const { return list_; }
    int currentFilter() const { return current_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onFilterClicked(int number);

    QPointer<QObject> editor_;
    AppSettings& settings_;
    FilterListView* list_ = nullptr;
    int current_ = 0;
    WindowMessageMap messages_;
};
