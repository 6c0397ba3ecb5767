#!/usr/bin/env bash
# Runs every fuzz target of fuzz/targets.txt from its seeds and prints what each found.
#   fuzz.sh <fuzz build folder> <seconds per target>
# With 0 seconds each target only reads its seeds once, as CI does: a seed that fails, or a
# target that is missing, fails the run.
set -u
cd "$(dirname "$0")/.."
build=$1 seconds=$2
failed=0
while read -r target seeds limits; do
  case $target in ''|'#'*) continue ;; esac
  work=$build/runs/$target
  mkdir -p "$work/corpus" "$work/artifacts"
  if [ "$seconds" -eq 0 ]; then
    inputs=("$seeds") how=(-runs=0)
  else
    # New inputs gather in the target's own corpus; the seeds stay as they are.
    inputs=("$work/corpus" "$seeds") how=(-max_total_time="$seconds" -max_len=8192)
  fi
  # shellcheck disable=SC2086
  "$build/$target" "${inputs[@]}" "${how[@]}" -timeout=5 $limits \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" > "$work/fuzz.log" 2>&1
  status=$?
  echo "== $target"
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done|^stat::|^==[0-9]+==|^FAULT|^SUMMARY|^artifact_prefix' "$work/fuzz.log"
  echo "corpus: $(ls "$seeds" | wc -l) seeds + $(ls "$work/corpus" | wc -l) found; log: $work/fuzz.log"
  if [ $status -ne 0 ]; then
    echo "$target failed with status $status" >&2
    tail -n 20 "$work/fuzz.log" >&2
    failed=1
  fi
done < fuzz/targets.txt
exit $failed
