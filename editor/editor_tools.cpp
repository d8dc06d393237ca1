// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/editor_tools.h"

#include <memory>

#include "editor/add_text_dlg.h"
#include "editor/caption_panel.h"
#include "editor/crop_mode.h"
#include "effects/cinemagraph_mode.h"
#include "effects/filter_tool.h"

void installEditorTools(CAddTextDlg& editor)
{
    // One line per tool, in dispatch order:
    //     editor.installTool(std::make_unique<SomeTool>());
    // The two mode tools come first: while crop or cinemagraph mode is on
    // they take every press and drag over the picture.
    editor.installTool(std::make_unique<CropMode>());
    editor.installTool(std::make_unique<CinemagraphMode>());
    editor.installTool(std::make_unique<CaptionPanel>());
    editor.installTool(std::make_unique<FilterTool>());
}
