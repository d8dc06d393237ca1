// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/editor_tools.h"

#include <memory>

#include "editor/add_text_dlg.h"
#include "editor/caption_panel.h"

void installEditorTools(CAddTextDlg& editor)
{
    // One line per tool, in dispatch order:
    //     editor.installTool(std::make_unique<SomeTool>());
    editor.installTool(std::make_unique<CaptionPanel>());
}
