#!/usr/bin/env bash
# The reader as a person uses it: on a real X server of its own with a window
# manager, fresh settings, keys typed with xdotool; afterwards the settings
# file it left. Start, step to Article 3 with the arrow keys, page down,
# bookmark it through the Go menu, start a second reader (it must end at once
# with status 0 and leave the first running), quit with Ctrl+Q.
#
#   reader_e2e.sh PATH_TO_KESTRO
set -uo pipefail
reader=$1

source "$(dirname "$0")/x_session.sh"

start_reader "$reader"
xdotool key --delay 150 Right Right Next
sleep 0.3
# The Go menu opens with its mnemonic; B is its Bookmark item.
xdotool key alt+g
sleep 1
xdotool key b
sleep 0.5

timeout 20 "$reader" >"$work/second.log" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
kill -0 "$reader_pid" 2>/dev/null || fail "the first reader ended when the second started"

quit_reader

[ -f "$settings" ] || fail "no settings file"
check() { grep -qx "$1" "$settings" || fail "the settings lack $1:"$'\n'"$(cat "$settings")"; }
check '"Lesson"=dword:00000003'
check '"Flags"=dword:d1140040'
check '"Bookmarks"=hex:03,00,00,00'
position=$(sed -n 's/^"LastPosition"=dword:\([0-9a-f]\{8\}\)$/\1/p' "$settings")
[ -n "$position" ] && [ $((16#$position)) -gt 0 ] || fail "LastPosition is not above 0:"$'\n'"$(cat "$settings")"
echo "PASS: Article 3 at line $((16#$position)), bookmarked; the second start ended with 0"
