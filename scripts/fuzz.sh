#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for the given number of seconds over a scratch copy
# of its corpus, PARALLEL targets at a time (1 unless set), niced. A crash, leak or timeout input
# is kept in <build>/fuzz-findings/<target>/ and named at the end, and the script then fails: each
# one becomes a file of the target's corpus (which the replay test runs) and a fix.
# With MERGE=1 the inputs of the run that reach code the repository's corpus does not are added
# to it, the fewest that do (libFuzzer's -merge=1); the named seed inputs stay as they are.
# Usage: scripts/fuzz.sh [build] [seconds] [target...]
set -uo pipefail
build=$(cd "${1:-build-fuzz}" && pwd)
seconds=${2:-60}
shift $(( $# > 2 ? 2 : $# ))
root=$(cd "$(dirname "$0")/.." && pwd)
findings="$build/fuzz-findings"
parallel=${PARALLEL:-1}

fuzz_one() {
  local name=$1 seconds=$2 root=$3 build=$4 findings=$5
  local target="$build/fuzz/fuzz_$name" corpus="$root/fuzz/corpus/$name" work log
  work=$(mktemp -d)
  log="$findings/$name.log"
  rm -rf "${findings:?}/$name"
  mkdir -p "$findings/$name" "$corpus"
  cp -r "$corpus/." "$work/"
  nice "$target" -max_total_time="$seconds" -timeout=120 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/$name/" "$work" >"$log" 2>&1
  local code=$?
  if [[ ${MERGE:-0} == 1 && $code == 0 ]]; then
    nice "$target" -merge=1 "$corpus" "$work" >>"$log" 2>&1
  fi
  rm -rf "$work"
  echo "== $name: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?') runs," \
       "$(ls "$corpus" | wc -l) corpus files, exit $code"
  return $code
}
export -f fuzz_one

if [[ $# -gt 0 ]]; then
  names=("$@")
else
  names=()
  for target in "$build"/fuzz/fuzz_*; do
    [[ -x "$target" ]] && names+=("${target##*/fuzz_}")
  done
fi
mkdir -p "$findings"
printf '%s\n' "${names[@]}" |
  xargs -P "$parallel" -I{} bash -c 'fuzz_one "$@"' _ {} "$seconds" "$root" "$build" "$findings"
status=$?
# A slow input is noted by libFuzzer but is not a fault.
found=$(for name in "${names[@]}"; do find "$findings/$name" -type f ! -name 'slow-unit-*'; done | sort)
if [[ -n "$found" ]]; then
  echo "findings (each becomes a corpus file and a fix):"
  echo "$found"
  status=1
fi
exit $status
