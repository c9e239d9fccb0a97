#!/usr/bin/env bash
# Korvo copied as tool.exe: it reads tool.ini, not Korvo.ini, and its window is called "tool".
. "$(dirname "$0")/../lib.sh"

fixture tool.exe
mkdir -p "$FIXTURE/mine" "$FIXTURE/theirs"
write_ini "$FIXTURE/tool.ini" <<INI
[dir]
$FIXTURE_WIN\\mine | FromToolIni
%end
INI
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
$FIXTURE_WIN\\theirs | FromKorvoIni
%end
INI

KORVO_WINEDEBUG=-all,+menu start_korvo http://127.0.0.1:9/file.zip
wait_menu
window=$(inspect wait-window --hidden --class tool --timeout 5) || fail "no window of class tool"
assert_eq "$window" "$(printf 'tool\ttool')" "class and title of the host window"
keys Escape
assert_exit_zero
grep -q 'FromToolIni' "$KORVO_STDERR" || fail "the menu does not show tool.ini's folder"
if grep -q 'FromKorvoIni' "$KORVO_STDERR"; then fail "Korvo.ini was read instead of tool.ini"; fi
pass
