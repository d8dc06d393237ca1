#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
"""Every text the program shows has an English translation.

Runs lupdate over the program's sources (the list CMake writes) into a scratch
.ts file and checks that every source text found there has a finished,
non-empty translation in the committed res/translations/vexlo_en.ts, with the
same printf and %1 placeholders.

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
    for line in bad:
        print(line)
    print("%d texts, %d without a good English translation" % (len(found), len(bad)))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
