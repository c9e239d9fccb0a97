#!/usr/bin/env bash
# The menu opens where "@menu=" says: at a point, at the mouse, at the mouse vertically centred,
# at the screen centre; "/#m=" on the command line wins over the configuration.
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE/a"
pointer() { e2e_tool 20 "$KORVO_TOOLS/pointer.exe" "$@" 2>/dev/null | tr -d '\r'; }
read -r screenWidth maximizedHeight _ <<<"$(pointer metrics)"
[ -n "$maximizedHeight" ] || fail "could not read the screen metrics"

# placed_menu_rect PLACEMENT [ARGS...]: shows the menu with "@menu=PLACEMENT" and reads its rectangle.
placed_menu_rect() {
    local placement=$1
    shift
    write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@menu=$placement
%end
[dir]
$FIXTURE_WIN\\a | Alpha
%end
INI
    start_korvo "$@" http://127.0.0.1:9/file.zip
    wait_menu
    read -r left top right bottom <<<"$(inspect menu-rect --timeout 5)"
    keys Escape
    assert_exit_zero
    e2e_note "@menu=$placement $*: ($left,$top)-($right,$bottom)"
}
near() {  # ACTUAL EXPECTED WHAT
    local d=$(($1 - $2))
    [ "${d#-}" -le 2 ] || fail "$3: expected $2, got $1"
}

placed_menu_rect 100,200
near "$left" 100 "left at the point"
near "$top" 200 "top at the point"

[ "$(pointer move 300 250)" = "300 250" ] || fail "could not move the mouse"
placed_menu_rect mouse
near "$left" 300 "left at the mouse"
near "$top" 250 "top at the mouse"

placed_menu_rect mous2
near "$left" 300 "left at the mouse (mous2)"
near $(((top + bottom) / 2)) 250 "vertical centre at the mouse (mous2)"

placed_menu_rect center
near $(((left + right) / 2)) $((screenWidth / 2)) "horizontal centre of the screen"
near $(((top + bottom) / 2)) $((maximizedHeight / 2)) "vertical centre of the screen"

placed_menu_rect center "/#m=120,140"
near "$left" 120 "left at the command line's point"
near "$top" 140 "top at the command line's point"
pass
