#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for the given number of seconds over a scratch copy
# of its corpus (new finds stay out of the repository unless copied in by hand).
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
for target in "$build"/fuzz/fuzz_*; do
  [[ -x "$target" ]] || continue
  name=${target##*/fuzz_}
  work=$(mktemp -d)
  cp -r "$root/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "== fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$work"
  rm -rf "$work"
done
