#!/usr/bin/env bash
# The reader as a person uses it: on a real X server of its own with a window
# manager, fresh settings, keys typed with xdotool; afterwards the settings
# file it left. Start, step to Article 3 with the arrow keys, page down,
# bookmark it through the Go menu, start a second reader (it must end at once
# with status 0 and leave the first running), quit with Ctrl+Q.
#
#   reader_e2e.sh PATH_TO_KESTRO
#
# Exit status 77 (skipped) when Xvfb is not installed.
set -uo pipefail
reader=$1

if ! command -v Xvfb >/dev/null; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
for tool in openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/setup.sh)"; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/reader.log" ] && sed 's/^/  reader: /' "$work/reader.log"
  exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local tries=$(($1 * 10)); shift
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# The X server picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
# openbox sets the work area once it manages windows; a window mapped
# before that may stay unmapped.
wait_for 10 sh -c 'xprop -root _NET_WORKAREA | grep -q =' || fail "openbox did not start"

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
# Only the sanitizer build reads this.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan_suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Lumarith/registry.reg"

"$reader" >"$work/reader.log" 2>&1 &
reader_pid=$!
pids+=("$reader_pid")
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kestro \(Vowels\)$' | head -n1)
[ -n "$window" ] || fail "no reader window"
xdotool windowactivate --sync "$window" || fail "the window cannot be activated"
sleep 0.5

xdotool key --delay 150 Right Right Next
sleep 0.3
xdotool key alt+g
sleep 0.5
xdotool key b
sleep 0.5

timeout 20 "$reader" >"$work/second.log" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
kill -0 "$reader_pid" 2>/dev/null || fail "the first reader ended when the second started"

xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key ctrl+q
wait_for 10 sh -c "! kill -0 $reader_pid" || fail "Ctrl+Q did not end the reader"
wait "$reader_pid"
status=$?
[ "$status" -eq 0 ] || fail "the reader ended with status $status"

[ -f "$settings" ] || fail "no settings file"
check() { grep -qx "$1" "$settings" || fail "the settings lack $1:"$'\n'"$(cat "$settings")"; }
check '"Lesson"=dword:00000003'
check '"Flags"=dword:d1140040'
check '"Bookmarks"=hex:03,00,00,00'
position=$(sed -n 's/^"LastPosition"=dword:\([0-9a-f]\{8\}\)$/\1/p' "$settings")
[ -n "$position" ] && [ $((16#$position)) -gt 0 ] || fail "LastPosition is not above 0:"$'\n'"$(cat "$settings")"
echo "PASS: Article 3 at line $((16#$position)), bookmarked; the second start ended with 0"
