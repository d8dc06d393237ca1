#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# Fuzzes one decoder for a while, seeded from the conformance corpus.
#   fuzz/run_fuzz.sh gif|bmp|content [SECONDS] [BUILD_DIR]
# New inputs collect in BUILD_DIR/fuzz/work-<target>/; crashes in BUILD_DIR/fuzz/.
set -eu
kind=${1:?gif, bmp or content}
seconds=${2:-300}
src=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$src/build-fuzz}
corpus=${VEXLO_CORPUS:-$src/../shared/corpus}
[ -d "$corpus" ] || { echo "run_fuzz: no corpus at $corpus (set VEXLO_CORPUS)" >&2; exit 2; }
case $kind in
  gif) target=fuzz_gif_decoder; pattern='*.gif' ;;
  bmp) target=fuzz_bmp_decoder; pattern='*.bmp' ;;
  content) target=fuzz_decode_content; pattern='*' ;;
  *) echo "unknown target $kind" >&2; exit 2 ;;
esac
seeds=$build/fuzz/seeds-$kind
work=$build/fuzz/work-$kind
mkdir -p "$seeds" "$work"
# Small seeds only: frame references and large pictures slow the fuzzer down.
find "$corpus/gif" "$corpus/gif-fuzz" "$corpus/bmp/bmpsuite-2.8" "$corpus/png/pngsuite/png" \
  -type f -name "$pattern" -size -64k ! -path '*/expected*' ! -path '*/suite-expected/*' ! -path '*/html/*' \
  ! -name '*.tsv' ! -name '*.json' ! -name '*.md*' ! -name '*.txt' 2>/dev/null |
  while read -r f; do cp "$f" "$seeds/$(echo "$f" | md5sum | cut -c1-16)"; done
cd "$build/fuzz"
exec nice -n 19 "./$target" -jobs=1 -workers=1 -max_total_time="$seconds" -rss_limit_mb=4096 \
  -malloc_limit_mb=3000 -timeout=30 -print_final_stats=1 "$work" "$seeds"
