#!/usr/bin/env bash
# By default the menu opens centred on the window that was active when Korvo started.
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE/a" "$FIXTURE/b"
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@menu=active
%end
[dir]
$FIXTURE_WIN\\a | Alpha
$FIXTURE_WIN\\b | Beta
%end
INI

probe_window Active 240 180 520 400 30
read -r left top right bottom <<<"$(inspect rect --title Active --timeout 5)"
start_korvo http://127.0.0.1:9/file.zip
wait_menu
read -r mleft mtop mright mbottom <<<"$(inspect menu-rect --timeout 5)"
keys Escape
assert_exit_zero

cx=$((left + (right - left) / 2)); cy=$((top + (bottom - top) / 2))
mx=$((mleft + (mright - mleft) / 2)); my=$((mtop + (mbottom - mtop) / 2))
e2e_note "window centre ($cx,$cy), menu centre ($mx,$my)"
dx=$((mx - cx)); dy=$((my - cy))
[ "${dx#-}" -le 3 ] && [ "${dy#-}" -le 3 ] || fail "menu centre ($mx,$my) is not the window centre ($cx,$cy)"
pass
