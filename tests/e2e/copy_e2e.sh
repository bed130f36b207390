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

clipboard() { xclip -o -selection clipboard -t "$1" >"$work/$2" 2>"$work/xclip.log"; }

# Checks the file $1 with the Python expression $2 over its bytes `b`.
expect() {
  python3 -c "import sys; b = open(sys.argv[1], 'rb').read(); sys.exit(0 if ($2) else 1)" \
    "$work/$1" || fail "$3:"$'\n'"$(head -c 600 "$work/$1")"
}

start_reader "$reader"
xdotool key ctrl+c
sleep 0.5
clipboard text/rtf copy.rtf || fail "no RTF on the clipboard: $(cat "$work/xclip.log")"
expect copy.rtf "b.startswith(rb'{\rtf1\ansi\deff0{\fonttbl{\f0\fcharset177\cpg1255 David;}}')" \
  "the copy does not start with the RTF header"
# The title line in reading order: "chodesh tishrei" with its points.
title='rb"\u1495\u1465\u1491\u1462\u1513\u1473  \u1514\u1468\u1460\u1513\u1473\u1456\u1512\u1461\u1497\par"'
expect copy.rtf "b.count($title) == 1" "the title is not in the copy"
expect copy.rtf "b.rstrip().endswith(b'}') and b.count(b'{\\\\rtf1') == 1" "the copy is not one document"

xdotool key ctrl+e
sleep 0.5
clipboard text/rtf append.rtf || fail "no RTF after Append: $(cat "$work/xclip.log")"
expect append.rtf "b.count(b'{\\\\rtf1') == 1 and b.count(b'*  *  *  *  *') == 1" \
  "Append did not give one document with one separator"
expect append.rtf "b.count($title) == 2" \
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
sleep 0.5
clipboard UTF8_STRING copy.txt || fail "no text on the clipboard: $(cat "$work/xclip.log")"
expect copy.txt "b.decode('utf-8').startswith('\u00e9\u00f8\u00f9\u00fa \u00f9\u00e3\u00e7\r\n\r\n')" \
  "the plain-text copy does not start with the title"
quit_reader
echo "PASS: RTF copy and append, plain-text copy, read back with xclip"
