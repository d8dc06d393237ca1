#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
"""Fails when a source of vexlo_imaging or vexlo_core (or a header beside it)
includes QtWidgets: windows belong to vexlo_ui and the program only."""
import os
import re
import sys

WIDGET_INCLUDE = re.compile(
    r'#\s*include\s*[<"](QtWidgets/|Q(Widget|Dialog|Application|MainWindow|Label|PushButton|'
    r'AbstractButton|MessageBox|FileDialog|ColorDialog|LineEdit|Slider|Menu|ToolTip|Layout|'
    r'BoxLayout|GridLayout|Frame|CheckBox|ComboBox|ScrollArea|ProgressBar|TextBrowser|'
    r'StyleOption\w*|Style)\b)')


def main():
    src_root, listing = sys.argv[1], sys.argv[2]
    bad = []
    with open(listing, encoding="utf-8") as f:
        for line in f:
            if ":" not in line:
                continue
            layer, files = line.rstrip("\n").split(":", 1)
            for path in filter(None, files.split(";")):
                if not os.path.isabs(path):
                    path = os.path.join(src_root, path)
                candidates = {path}
                stem, _ = os.path.splitext(path)
                candidates.add(stem + ".h")
                for p in candidates:
                    if not os.path.isfile(p):
                        continue
                    with open(p, encoding="utf-8", errors="replace") as src:
                        for n, text in enumerate(src, 1):
                            if WIDGET_INCLUDE.search(text):
                                bad.append(f"{layer}: {p}:{n}: {text.strip()}")
    for b in bad:
        print(b)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
