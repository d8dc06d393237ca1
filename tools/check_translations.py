#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
"""Every text the program shows has an English translation.

Runs lupdate over the program's sources (the list CMake writes) into a scratch
.ts file and checks that every source text found there has a finished,
non-empty translation in the committed res/translations/vexlo_en.ts, with the
same printf and %1 placeholders; and that every string literal with Chinese
text in those sources is part of a text lupdate found (so it goes through tr()
or a translate macro), font family names aside.

    check_translations.py LUPDATE SOURCES_LIST COMMITTED_TS
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:\d+|[-+ #0]*\d*(?:\.\d+)?(?:l|ll|h)?[dusxXfgcpi%])")


def messages(path):
    out = {}
    for ctx in ET.parse(path).getroot().iter("context"):
        name = ctx.findtext("name")
        for msg in ctx.iter("message"):
            source = msg.findtext("source") or ""
            comment = msg.findtext("comment") or ""
            out[(name, source, comment)] = msg.find("translation")
    return out


# Names of fonts, not texts for the user.
NOT_TEXTS = {"宋体"}
CJK = re.compile(r"[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def untranslated_literals(sources_list, texts):
    """Chinese string literals of the sources that no found text contains."""
    out = []
    with open(sources_list, encoding="utf-8") as f:
        paths = [line.strip() for line in f if line.strip()]
    for path in paths:
        with open(path, encoding="utf-8") as f:
            code = f.read()
        # Comments out, keeping line numbers; literals holding "//" are rare
        # enough in Chinese texts to be left to a reader.
        code = COMMENT.sub(lambda m: "\n" * m.group(0).count("\n"), code)
        for m in LITERAL.finditer(code):
            raw = m.group(1)
            if not CJK.search(raw) or raw in NOT_TEXTS:
                continue
            text = re.sub(r"\\(.)", lambda e: ESCAPES.get(e.group(1), e.group(0)), raw)
            if not any(text in t for t in texts):
                line = code.count("\n", 0, m.start()) + 1
                out.append("not through tr(): %s:%d: %r" % (path, line, raw))
    return out


def main():
    lupdate, sources_list, committed = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, "fresh.ts")
        run = subprocess.run([lupdate, "-silent", "-locations", "none", "@" + sources_list, "-ts", fresh],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if run.returncode != 0:
            print(run.stderr)
            return 1
        found = messages(fresh)
    have = messages(committed)
    bad = []
    for key in sorted(found):
        tr = have.get(key)
        text = "" if tr is None else "".join(tr.itertext())
        if tr is None:
            bad.append("no entry: %s: %r" % (key[0], key[1]))
        elif tr.get("type") in ("unfinished", "vanished", "obsolete") or not text.strip():
            bad.append("not translated: %s: %r" % (key[0], key[1]))
        elif sorted(PLACEHOLDER.findall(key[1])) != sorted(PLACEHOLDER.findall(text)):
            bad.append("placeholders differ: %s: %r -> %r" % (key[0], key[1], text))
    bad += untranslated_literals(sources_list, [key[1] for key in found])
    for line in bad:
        print(line)
    print("%d texts, %d without a good English translation" % (len(found), len(bad)))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
