// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The 16 x 16 icons of the editor's command row, drawn in the button-text
// colour: a frame with a plus (添加帧) or a cross (删除帧), three colour discs
// (滤镜), a brush dot (Cinemagraph), crop corners (裁剪), two opposed arrows
// (倒序), a play triangle (慢镜播放), a double chevron (速度) and a film frame
// with a star (生成动画). Null for any other id.
#include <QImage>

inline constexpr int kEditorIconSize = 16;

QImage editorButtonIcon(int controlId);
