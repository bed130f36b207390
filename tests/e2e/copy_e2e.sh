#!/usr/bin/env bash
# Copy and Append as a person uses them, read back from the real X clipboard
# with xclip: with the default Unicode font Ctrl+C gives a right-to-left RTF
# document of Article 1 and Ctrl+E appends a second copy behind a separator;
# with a single-byte font (FontAsciiBase 224 stored) Ctrl+C gives plain text.
#
#   copy_e2e.sh PATH_TO_KESTRO
set -uo pipefail
reader=$1

source "$(dirname "$0")/x_session.sh"

# Reads the clipboard as type $1 into the file $2 until the Python expression
# $3 over its bytes `b` holds (up to ten seconds, as a slow build may take a
# while to answer); else fails with the message $4.
expect_clipboard() {
  local check="import sys; b = open(sys.argv[1], 'rb').read(); sys.exit(0 if ($3) else 1)"
  local tries=100
  until xclip -o -selection clipboard -t "$1" >"$work/$2" 2>"$work/xclip.log" &&
        python3 -c "$check" "$work/$2"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "$4:"$'\n'"$(head -c 600 "$work/$2") $(cat "$work/xclip.log")"
    sleep 0.1
  done
}

start_reader "$reader"
xdotool key ctrl+c
expect_clipboard text/rtf copy.rtf "b.startswith(rb'{\rtf1\ansi\deff0{\fonttbl{\f0\fcharset177\cpg1255 David;}}')" \
  "the copy does not start with the RTF header"
# The title line in reading order: "chodesh tishrei" with its points.
title='rb"\u1495\u1465\u1491\u1462\u1513\u1473  \u1514\u1468\u1460\u1513\u1473\u1456\u1512\u1461\u1497\par"'
expect_clipboard text/rtf copy.rtf "b.count($title) == 1" "the title is not in the copy"
expect_clipboard text/rtf copy.rtf "b.rstrip().endswith(b'}') and b.count(b'{\\\\rtf1') == 1" \
  "the copy is not one document"

xdotool key ctrl+e
expect_clipboard text/rtf append.rtf "b.count(b'{\\\\rtf1') == 1 and b.count(b'*  *  *  *  *') == 1" \
  "Append did not give one document with one separator"
expect_clipboard text/rtf append.rtf "b.count($title) == 2" \
  "Append did not give the Article twice"
quit_reader

# A single-byte font: letters at 0xE0.., no points, text in stored order.
cat >"$settings" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Lumarith\Kestro (Vowels)]
"FontAsciiBase"=dword:000000e0
REG
start_reader "$reader"
xdotool key ctrl+c
expect_clipboard UTF8_STRING copy.txt "b.decode('utf-8').startswith('\u00e9\u00f8\u00f9\u00fa \u00f9\u00e3\u00e7\r\n\r\n')" \
  "the plain-text copy does not start with the title"
quit_reader
echo "PASS: RTF copy and append, plain-text copy, read back with xclip"
