#!/usr/bin/env bash
# How much of a core the terminal takes while it stands idle: on the main menu, and (the floor) on
# the first list the menu opens. Starts a fresh simulator and the terminal under Xvfb, waits for
# the menu, reads the terminal's CPU time from /proc over SECONDS_MEASURED seconds (30 by default) on each
# screen, and prints each figure, also as a "FIGURE" line as the benchmarks do
# (bench/ratio_reporter.h). Opening the list needs xdotool; without it only the menu is measured.
#
#   scripts/idle_cpu.sh [BUILD_DIR]      needs the build's bin/tarvello and bin/tarvello-quoted
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=${SECONDS_MEASURED:-30}
target_percent=0.5
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

free_port() { python3 -c 'import socket;s=socket.socket();s.bind(("127.0.0.1",0));print(s.getsockname()[1])'; }

# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 800x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
display=":$(head -n 1 "$work/display")"
quote=$(free_port) gateway=$(free_port) info=$(free_port)
"$build/bin/tarvello-quoted" --port "$quote" --gateway-port "$gateway" --info-port "$info" >/dev/null 2>&1 &
pids+=($!)

# The program folder names the simulator's ports (Deployment.ini, UTF-16).
python3 - "$work" "$quote" "$gateway" "$info" <<'PY'
import sys
home, quote, gateway, info = sys.argv[1:]
lines = ["[SERVERS]"] + ["%s=127.0.0.1" % k for k in ("QUOTE1_0", "QUOTE1_1", "QUOTE0_0", "QUOTE0_1")]
lines += ["QUOTEPORT=" + quote] + ["ROW%d=127.0.0.1" % i for i in range(25)]
lines += ["[INFOSERVERS]"] + ["%s=127.0.0.1" % k for k in ("INFO1_0", "INFO1_1", "INFO0_0", "INFO0_1")]
lines += ["INFOPORT=" + info, "[GATEWAY]", "HOST=127.0.0.1", "GATEWAYPORT=" + gateway]
open(home + "/Deployment.ini", "wb").write(("\r\n".join(lines) + "\r\n").encode("utf-16-le"))
PY
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bin/tarvello" --home "$work" >"$work/terminal.out" 2>&1 &
terminal=$!
pids+=("$terminal")
sleep 15  # start-up, login and the first index figures

# CPU time (user and system) of the terminal in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$terminal/stat"; }

# Percent of one core the terminal took over the measured seconds.
measure() {
  local before after
  before=$(cpu_ticks)
  sleep "$seconds"
  after=$(cpu_ticks)
  awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.2f", t / hz / s * 100 }'
}

menu=$(measure)
echo "main menu idle: $menu % of a core over $seconds s (target <= $target_percent %)"
list=""
if command -v xdotool >/dev/null; then
  window=$(DISPLAY=$display xdotool search --onlyvisible --name Tarvello | head -n 1)
  DISPLAY=$display xdotool key --window "$window" Return
  sleep 5
  list=$(measure)
  echo "list idle: $list % of a core over $seconds s"
fi

holds=$(awk -v m="$menu" -v t="$target_percent" 'BEGIN { print (m <= t) ? "yes" : "NO" }')
if [[ -n "$list" ]]; then
  ratio=$(awk -v m="$menu" -v l="$list" 'BEGIN { if (l > 0) printf "%.3g", m / l; else print "-" }')
  printf 'FIGURE\tmain menu idle, CPU of a core\t%s %%\tlist idle\t%s %%\t%s\t<= %s %%\t%s\n' \
    "$menu" "$list" "$ratio" "$target_percent" "$holds"
else
  printf 'FIGURE\tmain menu idle, CPU of a core\t%s %%\t-\t-\t-\t<= %s %%\t%s\n' "$menu" "$target_percent" "$holds"
fi
