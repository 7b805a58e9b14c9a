#!/usr/bin/env bash
# Runs every benchmark program of a build's bench folder and the idle measurement
# (scripts/idle_cpu.sh, when Xvfb is there), then prints one table of every figure
# they judge: its value, its floor, their ratio, its target and whether it holds. The programs
# print each such figure as a tab-separated line starting with "FIGURE" (bench/ratio_reporter.h);
# those lines are gathered here rather than shown as they come.
# Fails when a program fails, not when a figure misses its target: the table says that.
set -euo pipefail
dir=${1:-build/bench}
figures=$(mktemp)
output=$(mktemp)
trap 'rm -f "$figures" "$output"' EXIT

for program in "$dir"/*_bench; do
  [[ -x "$program" ]] || continue
  name=${program##*/}
  echo "== $name"
  status=0
  "$program" >"$output" || status=$?
  # A console colour reset may come first on the line, so "FIGURE" is looked for anywhere.
  grep -v $'FIGURE\t' "$output" || true
  grep $'FIGURE\t' "$output" | sed "s/^.*FIGURE\t/${name%_bench}\t/" >>"$figures" || true
  if [[ $status -ne 0 ]]; then
    echo "$name failed with status $status" >&2
    exit "$status"
  fi
done

# The idle terminal's share of a core, measured over half a minute on each screen under Xvfb.
if command -v Xvfb >/dev/null && [[ -x "$dir/../bin/tarvello" ]]; then
  echo "== idle_cpu"
  "$(dirname "$0")/idle_cpu.sh" "$dir/.." >"$output" 2>/dev/null || { echo "idle_cpu.sh failed" >&2; exit 1; }
  grep -v $'FIGURE\t' "$output" || true
  grep $'FIGURE\t' "$output" | sed "s/^.*FIGURE\t/idle_cpu\t/" >>"$figures" || true
fi

echo
echo "== summary"
awk -F'\t' '
  BEGIN { split("bench\tfigure\tvalue\tfloor\tfloor value\tratio\ttarget\tholds", head, "\t") }
  { for (i = 1; i <= 8; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } }
  $8 == "yes" { held++ } $8 == "NO" { missed++ }
  END {
    for (i = 1; i <= 8; i++) if (length(head[i]) > width[i]) width[i] = length(head[i])
    for (i = 1; i < 8; i++) printf "%-*s  ", width[i], head[i]
    print head[8]
    for (r = 1; r <= NR; r++) {
      for (i = 1; i < 8; i++) printf "%-*s  ", width[i], cell[r, i]
      print cell[r, 8]
    }
    printf "\n%d figures with a target hold, %d miss it; %d are shown for scale only\n",
           held, missed, NR - held - missed
  }' "$figures"
