#!/usr/bin/env bash
# Started without a URL, Korvo offers only its own items; "&Version" shows the version box.
. "$(dirname "$0")/../lib.sh"

fixture
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
%end
[dir]
C:\\windows
%end
[exec]
%end
INI

start_korvo
wait_menu
keys v
read_box
assert_eq "$BOX_CAPTION" "バージョン情報" "version box caption"
[ -n "$BOX_TEXT" ] || fail "the version box says nothing"
e2e_note "version box: $(printf '%s' "$BOX_TEXT" | tr '\n' ' ')"
press_ok
assert_exit_zero
pass
