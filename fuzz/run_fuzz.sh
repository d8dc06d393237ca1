#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# Fuzzing that accumulates: each target starts from its corpus in
# fuzz/corpus/<target>/, what it finds is merged back (minimised) into that
# folder, and its executions are added to the table in fuzz/README.md.
#
#   fuzz/run_fuzz.sh run BUILD SECONDS [TARGET...]   fuzz each target SECONDS seconds
#   fuzz/run_fuzz.sh replay BUILD [TARGET...]        run every corpus input once
#   fuzz/run_fuzz.sh seed BUILD [TARGET...]          (re)seed from ../shared/corpus
#
# BUILD is the folder of `make fuzz` (build-fuzz). Crashes go to
# BUILD/fuzz/crashes-<target>/ and make the script fail; they are not added to
# the corpus until the fault is fixed (then copy them in by hand).
set -eu
mode=${1:?run, replay or seed}
build=$(cd "${2:?build folder}" && pwd)
shift 2
seconds=0
if [ "$mode" = run ]; then
  seconds=${1:?seconds}
  shift
fi
src=$(cd "$(dirname "$0")/.." && pwd)
targets=${*:-fuzz_gif_decoder fuzz_bmp_decoder fuzz_decode_content}
# Limits as in the decoders' tests: a hang or a bomb is a finding too.
limits="-rss_limit_mb=2560 -malloc_limit_mb=2304 -timeout=30"
status=0

seed_patterns() {
  case $1 in
    fuzz_gif_decoder) echo '*.gif' ;;
    fuzz_bmp_decoder) echo '*.bmp' ;;
    *) echo '*' ;;
  esac
}

# Adds runs and crashes to the target's row of the table in fuzz/README.md.
record() {
  row=$1 runs=$2 found=$3 files=$4
  readme=$src/fuzz/README.md
  # Targets may run side by side (one per core): one update at a time.
  exec 9>"$build/fuzz/readme.lock"
  flock 9
  awk -v t="$row" -v runs="$runs" -v crashes="$found" -v files="$files" -F'|' '
    BEGIN { OFS = "|" }
    $2 ~ "^ *" t " *$" {
      $3 = sprintf(" %.0f ", $3 + runs); $4 = sprintf(" %.0f ", $4 + crashes); $5 = " " files " "; done = 1
    }
    { print }
    END { if (!done) exit 1 }' "$readme" >"$readme.new" && mv "$readme.new" "$readme" ||
    { rm -f "$readme.new"; echo "run_fuzz: no row for $row in $readme" >&2; }
  exec 9>&-
}

for t in $targets; do
  bin=$build/fuzz/$t
  [ -x "$bin" ] || { echo "run_fuzz: $bin is missing (make fuzz)" >&2; exit 2; }
  corpus=$src/fuzz/corpus/$t
  mkdir -p "$corpus"
  case $mode in
    seed)
      shared=${VEXLO_CORPUS:-$src/../shared/corpus}
      seeds=$build/fuzz/seeds-$t
      rm -rf "$seeds" && mkdir -p "$seeds"
      find "$shared/gif" "$shared/gif-fuzz" "$shared/bmp" "$shared/png" -type f -name "$(seed_patterns "$t")" \
        -size -16k ! -path '*/expected*' ! -path '*/suite-expected/*' ! -path '*/html/*' ! -name '*.tsv' \
        ! -name '*.json' ! -name '*.md*' ! -name '*.txt' ! -name '*.ini' 2>/dev/null |
        while read -r f; do cp "$f" "$seeds/$(md5sum <"$f" | cut -c1-16)"; done
      nice -n 19 "$bin" -merge=1 $limits "$corpus" "$seeds" 2>"$build/fuzz/$t.seed.log" || status=1
      ;;
    replay)
      echo "== $t: replaying $(ls "$corpus" | wc -l) inputs"
      nice -n 19 "$bin" -runs=0 $limits "$corpus" 2>"$build/fuzz/$t.replay.log" || {
        status=1
        tail -30 "$build/fuzz/$t.replay.log" >&2
      }
      ;;
    run)
      work=$build/fuzz/work-$t
      crashes=$build/fuzz/crashes-$t
      log=$build/fuzz/$t.log
      mkdir -p "$work" "$crashes"
      # Crashes, leaks, time-outs and memory bombs count; inputs libFuzzer
      # only found slow (on a busy machine) do not.
      findings() { ls "$crashes" | grep -v '^slow-unit-' | wc -l; }
      before=$(findings)
      echo "== $t: fuzzing ${seconds}s from $(ls "$corpus" | wc -l) inputs"
      nice -n 19 "$bin" -max_total_time="$seconds" -max_len=8192 $limits -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$work" "$corpus" 2>"$log" || true
      runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
      found=$(($(findings) - before))
      # Minimise the old corpus and the new inputs together into the corpus.
      merged=$build/fuzz/merged-$t
      rm -rf "$merged" && mkdir -p "$merged"
      if nice -n 19 "$bin" -merge=1 $limits "$merged" "$corpus" "$work" 2>>"$log" && [ -n "$(ls "$merged")" ]; then
        rm -f "$corpus"/* && cp "$merged"/* "$corpus"/
        rm -rf "$work" && mkdir -p "$work"
      fi
      record "$t" "${runs:-0}" "$found" "$(ls "$corpus" | wc -l)"
      echo "   ${runs:-0} executions, $found crashes"
      [ "$found" -eq 0 ] || { status=1; ls "$crashes" >&2; }
      ;;
    *) echo "run_fuzz: unknown mode $mode" >&2; exit 2 ;;
  esac
done
exit $status
