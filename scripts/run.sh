#!/usr/bin/env bash
# Starts the simulator and the terminal against it; stops the simulator when the terminal ends.
set -euo pipefail
build=${1:-build}
"$build/bin/tarvello-quoted" &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no display; starting the terminal under Xvfb"
  exec_prefix=(xvfb-run -a)
else
  exec_prefix=()
fi
"${exec_prefix[@]}" "$build/bin/tarvello" "${@:2}"
