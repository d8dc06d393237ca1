// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The editor's button 11 ("滤镜"): runs the filter dialog over the current
// frame, right of the frame strip at the editor's top edge. The dialog
// reports every choice to the editor with UM_FILTER_CHOSEN.
#include <functional>

#include "editor/editor_tool.h"
#include "effects/filter_previews.h"

class CFilterDialog;

class FilterTool : public EditorTool {
public:
    void attach(EditorHost& host) override { host_ = &host; }
    bool command(int id) override;

    // How the dialog is run (tests drive it); the default runs it modally.
    using DialogRunner = std::function<void(CFilterDialog& dialog)>;
    void setDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }
    // Where the dialog reads the filters from (tests give their own folder).
    void setFilterLoader(FilterLoader loader) { loader_ = std::move(loader); }

private:
    EditorHost* host_ = nullptr;
    DialogRunner runner_;
    FilterLoader loader_;
};
