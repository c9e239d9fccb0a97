#!/usr/bin/env bash
# The user works the menu with the mouse: pointing at a group opens it, filled with its folders,
# and clicking a folder inside sends the download there.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

fixture
mkdir -p "$FIXTURE"/{a,b,c,d} "$FIXTURE/site"
head -c 100000 /dev/urandom >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@menu=100,100
%end
[dir]
$FIXTURE_WIN\\a | Alpha
{Group
$FIXTURE_WIN\\b | Beta
$FIXTURE_WIN\\c | Gamma
}
$FIXTURE_WIN\\d | Delta
%end
INI

KORVO_WINEDEBUG=-all,+menu start_korvo "${HTTP_URL}file.zip"
wait_menu
menu_item_point "$(menu_rect 1)" 1
inject "move:$ITEM_X,$ITEM_Y" sleep:300
menu_item_point "$(menu_rect 2)" 1
inject "click:$ITEM_X,$ITEM_Y"
assert_exit_zero

# The group was filled when the pointer opened it, once.
for id in 07d2 07d3; do assert_eq "$(menu_trace_count $id)" 1 "items inserted with id $id"; done
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/c/file.zip"
for other in a b d; do assert_no_file "$FIXTURE/$other/file.zip"; done
pass
