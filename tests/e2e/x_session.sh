# Sourced by the end-to-end scripts: a real X server of their own (Xvfb, on a
# free display) with a window manager (openbox), fresh settings and runtime
# folders, and helpers to start and quit the reader as a person would.
# Exits with 77 (skipped) when Xvfb is not installed.

if ! command -v Xvfb >/dev/null; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
for tool in openbox xdotool xprop xclip; do
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
export LSAN_OPTIONS="suppressions=$(dirname "${BASH_SOURCE[0]}")/lsan_suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Lumarith/registry.reg"

# Starts the reader ($1) and waits for its window: sets reader_pid and window.
start_reader() {
  "$1" >"$work/reader.log" 2>&1 &
  reader_pid=$!
  pids+=("$reader_pid")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kestro \(Vowels\)$' | head -n1)
  [ -n "$window" ] || fail "no reader window"
  xdotool windowactivate --sync "$window" || fail "the window cannot be activated"
  sleep 0.5
}

# Quits the reader with Ctrl+Q; it must end with status 0.
quit_reader() {
  xdotool windowactivate --sync "$window" 2>/dev/null
  xdotool key ctrl+q
  wait_for 10 sh -c "! kill -0 $reader_pid" || fail "Ctrl+Q did not end the reader"
  wait "$reader_pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "the reader ended with status $status"
}
