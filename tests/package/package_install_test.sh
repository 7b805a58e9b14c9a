#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack, checked by lintian, unpacked into a
# scratch root (no root rights needed), and its two programs run from there against each other.
# The terminal's tour runs from the unpacked, unwritable bin/ folder and must leave the unpacked
# tree untouched, keep the user's files under the scratch XDG data folder and write nothing into
# the scratch home.
# Usage: package_install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tarvello-package.XXXXXX")
simulator=""
cleanup() {
  if [[ -n "$simulator" ]]; then kill "$simulator" 2>/dev/null || true; fi
  chmod -R u+w "$scratch" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "package test: $*" >&2
  exit 1
}

echo "== building the package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
debs=("$scratch"/out/*.deb)
[[ -f "${debs[0]}" ]] || fail "no package in $scratch/out"
deb=${debs[0]}
dpkg-deb --field "$deb" Package Version Depends Recommends

echo "== lintian"
lintian --fail-on error --allow-root "$deb" || fail "lintian found errors in $(basename "$deb")"

echo "== unpacking"
root=$scratch/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/tarvello usr/bin/tarvello-quoted usr/share/tarvello/Security.xml \
            usr/share/tarvello/Picture/back.jpg usr/share/applications/tarvello.desktop \
            usr/share/icons/hicolor/48x48/apps/tarvello.png usr/share/man/man1/tarvello.1.gz \
            usr/share/man/man1/tarvello-quoted.1.gz usr/lib/systemd/system/tarvello-quoted.service; do
  [[ -e "$root/$file" ]] || fail "$file is not in the package"
done
chmod -R a-w "$root"
find "$root" -printf '%P %s %T@\n' | sort >"$scratch/root.before"

# A clean environment: only the scratch home and XDG folders, no display. The simulator starts as
# a plain command, so that its process is the one started (env runs it in its own place) and the
# cleanup's kill ends it; started through a function, a subshell would stand between them.
home=$scratch/home
xdg=$scratch/xdg
mkdir -p "$home" "$xdg/data" "$xdg/cache" "$xdg/config" "$xdg/runtime"
chmod 700 "$xdg/runtime"
clean_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$xdg/data" XDG_CACHE_HOME="$xdg/cache"
           XDG_CONFIG_HOME="$xdg/config" XDG_RUNTIME_DIR="$xdg/runtime" QT_QPA_PLATFORM=offscreen)
run() { "${clean_env[@]}" "$@"; }

echo "== command lines"
for program in tarvello tarvello-quoted; do
  run "$root/usr/bin/$program" --help >"$scratch/help.out" || fail "$program --help did not exit 0"
  grep -q "^usage: $program" "$scratch/help.out" || fail "$program --help printed no usage"
  run "$root/usr/bin/$program" --version >"$scratch/version.out" || fail "$program --version did not exit 0"
  grep -q "^$program [0-9]" "$scratch/version.out" || fail "$program --version printed $(cat "$scratch/version.out")"
  status=0
  run "$root/usr/bin/$program" --no-such-option >/dev/null 2>"$scratch/unknown.err" || status=$?
  [[ $status -eq 2 ]] || fail "$program with an unknown option exited $status, not 2"
  grep -q "unknown option --no-such-option" "$scratch/unknown.err" || fail "$program did not name the unknown option"
done

echo "== the tour against the packaged simulator"
"${clean_env[@]}" "$root/usr/bin/tarvello-quoted" --port 0 --gateway-port 0 --info-port 0 >"$scratch/sim.out" 2>"$scratch/sim.err" &
simulator=$!
for _ in $(seq 300); do
  grep -q "quote port" "$scratch/sim.out" 2>/dev/null && break
  sleep 0.1
done
read -r quote gateway info < <(sed -n 's/.*quote port \([0-9]*\), gateway port \([0-9]*\), info port \([0-9]*\).*/\1 \2 \3/p' "$scratch/sim.out")
[[ -n "${info:-}" ]] || { cat "$scratch/sim.err"; fail "the simulator named no ports"; }
user_folder=$xdg/data/tarvello
mkdir -p "$user_folder"
printf '[SERVERS]\r\nPORT=%s\r\n[GATEWAY]\r\nPORT=%s\r\n[INFOSERVERS]\r\nINFOPORT=%s\r\n' "$quote" "$gateway" "$info" |
  iconv -f UTF-8 -t UTF-16LE >"$user_folder/Deployment.ini"
status=0
run timeout 480 "$root/usr/bin/tarvello" --tour "$scratch/shots" >"$scratch/tour.out" 2>"$scratch/tour.err" || status=$?
[[ $status -eq 0 ]] || { cat "$scratch/tour.err"; fail "the tour exited $status"; }
cat "$scratch/tour.out"
pictures=$(find "$scratch/shots" -name '*.png' -size +1k | wc -l)
[[ $pictures -ge 40 ]] || fail "the tour saved only $pictures pictures"
! grep -q "before its data arrived" "$scratch/tour.err" || { cat "$scratch/tour.err"; fail "a screen was saved before its data"; }

echo "== where the files went"
find "$root" -printf '%P %s %T@\n' | sort >"$scratch/root.after"
diff "$scratch/root.before" "$scratch/root.after" || fail "the tour changed the unpacked package"
for file in Deployment.ini Configuration.ini tarvello.lock; do
  [[ -f "$user_folder/$file" ]] || fail "$file is not in the XDG data folder"
done
[[ ! -e "$user_folder/Picture" ]] || fail "pictures were copied into the user's folder"
written=$(find "$home" -mindepth 1 | head -5)
[[ -z "$written" ]] || fail "the tour wrote into the home folder: $written"
echo "package test: $(basename "$deb") installs, runs and keeps the user's files in the XDG folder"
