#!/usr/bin/env bash
# Takes the screenshot that the AppStream metadata shows: the main window of the
# program in BUILD_DIR (default build) under Xvfb, over the sample log, settings and
# sections list in packaging/screenshots/, with a callsign typed so that its earlier
# contacts and grids show. Writes packaging/screenshots/main-window.png.
#
#   scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh imagemagick
build=${1:-build}
cmake --build "$build" --target tarnex
samples=packaging/screenshots

scratch=$(mktemp -d)
started_pids=()
cleanup() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# The program keeps its journal and sections file beside itself in a folder of its own.
mkdir -p "$scratch/program" "$scratch/home/.config/KORVAL" "$scratch/run"
chmod 700 "$scratch/run"
cp "$build/src/ui/tarnex" "$scratch/program/"
cp "$samples/journal.trnx" "$scratch/program/_ult.trnx"
cp "$samples/sections.cod" "$scratch/program/_sez.cod"
cp "$samples/Tarnex.conf" "$scratch/home/.config/KORVAL/Tarnex.conf"

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>/dev/null &
started_pids+=($!)
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$scratch/display")"
env -i PATH=/usr/bin:/bin HOME="$scratch/home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$scratch/run" \
  DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb "$scratch/program/tarnex" >/dev/null 2>&1 &
started_pids+=($!)

main=
for _ in $(seq 200); do
  main=$(xdotool search --onlyvisible --name '^TARNEX - Contest' 2>/dev/null | head -n 1 || true)
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || { echo "screenshot.sh: the main window did not appear" >&2; exit 1; }
# The focus starts in the callsign field: a callsign worked before, and Enter.
xdotool windowfocus --sync "$main" type --delay 40 IK1ABC
xdotool key --delay 100 Return
sleep 1
import -window "$main" "$samples/main-window.png"
echo "$samples/main-window.png"
