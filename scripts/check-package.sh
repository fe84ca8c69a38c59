#!/usr/bin/env bash
# Checks the Debian package with the platform's own tools: lintian on the package,
# desktop-file-validate and appstreamcli on the menu entry and the metadata it holds.
# Then the package is unpacked into a scratch root and its program started, by the
# menu entry's command, under Xvfb with a scratch home: its first start tells that
# the sections list is missing, its main window appears, it writes its journal in the
# home's data folder and nothing beside itself, and it ends when the window is closed.
# The unpacked tarnex-cli answers --help and finds the same data folder.
#
#   scripts/check-package.sh [BUILD_DIR]   packages BUILD_DIR (default build) and checks it
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
started=$SECONDS

# Lintian warnings the package keeps, each with its reason. Any other warning or any
# error fails the check.
accepted_warnings=(
  # The package is built to be installed from the project, not uploaded to Debian:
  # there is no bug asking for it ("intent to package") for its changelog to close.
  initial-upload-closes-no-bugs
)

fail() {
  echo "check-package: $*" >&2
  exit 1
}

deb=$(scripts/package.sh "$build" | tail -n 1)
[ -f "$deb" ] || fail "the package was not built"
echo "== $(basename "$deb")"

scratch=$(mktemp -d)
started_pids=()
cleanup() {
  for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

echo "== lintian"
status=0
lintian --display-info "$deb" >"$scratch/lintian.txt" 2>&1 || status=$?
grep -v '^running with root privileges' "$scratch/lintian.txt" || true
[ "$status" -le 1 ] || fail "lintian did not run (status $status)"
if grep -q '^E: ' "$scratch/lintian.txt"; then fail "lintian reports errors"; fi
while read -r _ _ tag _; do
  [[ " ${accepted_warnings[*]} " == *" $tag "* ]] || fail "lintian warning not accepted: $tag"
done < <(grep '^W: ' "$scratch/lintian.txt" || true)

root=$scratch/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/it.korval.Tarnex.desktop
metainfo=$root/usr/share/metainfo/it.korval.Tarnex.metainfo.xml

echo "== desktop-file-validate"
desktop-file-validate "$desktop" || fail "desktop-file-validate found errors"

echo "== appstreamcli validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli found errors"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli found errors in the installed tree"

echo "== changelog and package version"
zcat "$root/usr/share/doc/tarnex/changelog.Debian.gz" >"$scratch/changelog"
logged=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
packaged=$(dpkg-deb -f "$deb" Version)
[ "$logged" = "$packaged" ] || fail "changelog names version $logged, the package is $packaged"
echo "$packaged"

echo "== the installed program under Xvfb"
home=$scratch/home
mkdir -p "$home" "$scratch/run"
chmod 700 "$scratch/run"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
started_pids+=($!)
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
export DISPLAY=":$(head -n 1 "$scratch/display")"

person=(env -i PATH="$root/usr/bin:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8
  XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
  XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$scratch/run")
command_line=$(sed -n 's/^Exec=//p' "$desktop")
# shellcheck disable=SC2086  # the menu entry's command, split as the desktop splits it
"${person[@]}" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb $command_line >"$scratch/tarnex.log" 2>&1 &
program=$!
started_pids+=("$program")

# The id of the visible window whose title matches, once it shows (20 s at most).
window() {
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 "$program" 2>/dev/null || fail "the program ended early: $(cat "$scratch/tarnex.log")"
    sleep 0.1
  done
  fail "no window \"$1\" appeared"
}

data=$home/.local/share/KORVAL/Tarnex
box=$(window '^Tarnex$')
echo "first start: the message on the missing sections list, answered"
xdotool windowfocus --sync "$box" key Return
main=$(window '^TARNEX - Contest delle Sezioni ARI')
echo "main window: $(xdotool getwindowname "$main")"
[ -f "$data/_ult.trnx" ] || fail "no journal in the data folder $data"
echo "journal: $data/_ult.trnx"
beside=$(find "$root/usr/bin" -type f ! -name tarnex ! -name tarnex-cli)
[ -z "$beside" ] || fail "the program wrote beside itself: $beside"

xdotool windowfocus --sync "$main" key Escape
for _ in $(seq 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "the program did not end when its window closed"
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$scratch/tarnex.log")"
echo "ended with status 0"

echo "== the installed tarnex-cli"
"${person[@]}" tarnex-cli --help >"$scratch/help.txt" || fail "tarnex-cli --help failed"
grep -q '^usage:' "$scratch/help.txt" || fail "tarnex-cli --help printed no usage"
"${person[@]}" tarnex-cli score "$data/_ult.trnx" >/dev/null || fail "tarnex-cli cannot score the journal"
# The chart command loads its drawing module from the package's library folder.
"${person[@]}" tarnex-cli chart "$data/_ult.trnx" -o "$scratch/chart.png" 2>"$scratch/chart.txt" ||
  fail "tarnex-cli cannot draw a chart: $(cat "$scratch/chart.txt")"
[ "$(head -c 4 "$scratch/chart.png" | tail -c 3)" = PNG ] || fail "tarnex-cli chart wrote no PNG picture"
status=0
"${person[@]}" tarnex-cli check "$data/_ult.trnx" 2>"$scratch/check.txt" || status=$?
[ "$status" -eq 2 ] && grep -qF "$data/_sez.cod" "$scratch/check.txt" ||
  fail "tarnex-cli does not look for the sections list in $data: $(cat "$scratch/check.txt")"
echo "--help, score, chart and the data folder's sections list: as expected"

echo "== package checks passed in $((SECONDS - started)) s"
