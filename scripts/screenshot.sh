#!/usr/bin/env bash
# Takes pictures of the main window of the program in BUILD_DIR (default build) under
# Xvfb, over the sample logs, settings and sections list in packaging/screenshots/,
# typing into it as an operator does.
#
#   scripts/screenshot.sh [BUILD_DIR]
#       the picture the AppStream metadata shows: a callsign worked before typed, so
#       that its earlier contacts and grids show. Writes
#       packaging/screenshots/main-window.png.
#   scripts/screenshot.sh --main-window OUT_DIR [BUILD_DIR]
#       three pictures for the documentation and for looking at the window after a
#       change, in OUT_DIR: main_qso.png (a callsign typed, its earlier contacts and
#       section), main_dup.png (a duplicate flagged) and main_swl.png (listening mode,
#       both callsigns typed).
set -euo pipefail
cd "$(dirname "$0")/.."
out=
if [ "${1:-}" = "--main-window" ]; then
  out=${2:?"--main-window needs a folder"}
  shift 2
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
fi
scripts/install-deps.sh imagemagick
build=${1:-build}
cmake --build "$build" --target tarnex
samples=packaging/screenshots

scratch=$(mktemp -d)
started_pids=()
program_pid=
cleanup() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>/dev/null &
started_pids+=($!)
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$scratch/display")"

# Starts the program over a journal (and, with a second argument, the category of its
# settings) in a program folder of its own, and sets `main` to its main window.
start_program() {
  local journal=$1 category=${2:-}
  rm -rf "$scratch/program" "$scratch/home" "$scratch/run"
  # The program keeps its journal and sections file beside itself.
  mkdir -p "$scratch/program" "$scratch/home/.config/KORVAL" "$scratch/run"
  chmod 700 "$scratch/run"
  cp "$build/src/ui/tarnex" "$scratch/program/"
  cp "$journal" "$scratch/program/_ult.trnx"
  cp "$samples/sections.cod" "$scratch/program/_sez.cod"
  cp "$samples/Tarnex.conf" "$scratch/home/.config/KORVAL/Tarnex.conf"
  # No band-change tip over the window, whatever the minute.
  sed -i 's/^\[Parametri\]$/[Parametri]\nConsigli=0/' "$scratch/home/.config/KORVAL/Tarnex.conf"
  if [ -n "$category" ]; then
    sed -i "s/^Categoria=.*/Categoria=$category/" "$scratch/home/.config/KORVAL/Tarnex.conf"
  fi
  env -i PATH=/usr/bin:/bin HOME="$scratch/home" LANG=C.UTF-8 XDG_RUNTIME_DIR="$scratch/run" \
    DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb "$scratch/program/tarnex" >/dev/null 2>&1 &
  program_pid=$!
  started_pids+=("$program_pid")
  main=
  for _ in $(seq 200); do
    main=$(xdotool search --onlyvisible --name '^TARNEX - Contest' 2>/dev/null | head -n 1 || true)
    [ -n "$main" ] && break
    sleep 0.1
  done
  [ -n "$main" ] || { echo "screenshot.sh: the main window did not appear" >&2; exit 1; }
  # The focus starts in the callsign field.
  xdotool windowfocus --sync "$main"
}

stop_program() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}

# Types a callsign into the field that has the focus, then the keys given.
type_then() {
  xdotool type --delay 40 "$1"
  shift
  [ $# -eq 0 ] || xdotool key --delay 100 "$@"
  sleep 1
}

shoot() {
  import -window "$main" "$1"
  echo "$1"
}

# The sample log is on 21 CW, where IK1ABC was worked and IZ5DEF was not (14 SSB).
if [ -z "$out" ]; then
  start_program "$samples/journal.trnx"
  type_then IK1ABC Return
  shoot "$samples/main-window.png"
  stop_program
  exit 0
fi

start_program "$samples/journal.trnx"
type_then IZ5DEF Return
shoot "$out/main_qso.png"
xdotool key --delay 100 F9  # the fields cleared, the focus back in the callsign
type_then IK1ABC Return
shoot "$out/main_dup.png"
stop_program

# Listening mode: the calling station heard before (its section comes from the log),
# then the answering one.
start_program "$samples/listening.trnx" SWL
type_then IZ5DEF Return Return
type_then IZ0PQR Tab
shoot "$out/main_swl.png"
stop_program
