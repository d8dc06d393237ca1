// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/editor_tools.h"

#include "editor/add_text_dlg.h"

void installEditorTools(CAddTextDlg& editor)
{
    // One line per tool, in dispatch order:
    //     editor.installTool(std::make_unique<SomeTool>());
    (void)editor;
}
