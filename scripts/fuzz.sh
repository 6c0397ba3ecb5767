#!/usr/bin/env bash
# Runs one fuzz target from its seeds and prints what it found.
#   fuzz.sh <fuzz build folder> <target> <seed folder> <seconds> "<libFuzzer limits>"
set -u
build=$1 target=$2 seeds=$3 seconds=$4 limits=$5
work=$build/runs/$target
mkdir -p "$work/corpus" "$work/artifacts"
# shellcheck disable=SC2086
"$build/$target" "$work/corpus" "$seeds" -max_total_time="$seconds" -timeout=5 $limits -max_len=8192 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" > "$work/fuzz.log" 2>&1
status=$?
echo "== $target"
grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done|^stat::|^==[0-9]+==|^FAULT|^SUMMARY|^artifact_prefix' "$work/fuzz.log"
echo "corpus: $(ls "$seeds" | wc -l) seeds + $(ls "$work/corpus" | wc -l) found; log: $work/fuzz.log"
exit $status
