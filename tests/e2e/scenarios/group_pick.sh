#!/usr/bin/env bash
# The user opens a group of the menu and picks the folder inside it: with the keyboard, then with
# the mouse (pointing at the group opens it, a click on a folder picks it).
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE"/{a,b,c,d} "$FIXTURE/site"
head -c 200000 /dev/urandom >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@timeout=30
%end
[dir]
$FIXTURE_WIN\\a | Alpha
{Group
$FIXTURE_WIN\\b | Beta
$FIXTURE_WIN\\c | Gamma
}
$FIXTURE_WIN\\d | Delta
%end
[exec]
%end
INI

KORVO_WINEDEBUG=-all,+menu start_korvo "${HTTP_URL}file.zip"
wait_menu
# Alpha is highlighted when the menu opens; Down reaches the group, Right opens it on Beta.
keys Down Right Return
assert_exit_zero

# The group's items are built when it opens, once; the top level holds Alpha, the group, Delta.
for id in 07d0 07d1 07d2 07d3 07d5; do
    assert_eq "$(menu_trace_count $id)" 1 "items inserted with id $id"
done

# The pick reached the downloader: the file is in Beta's folder, whole, and nowhere else.
assert_file "$FIXTURE/b/file.zip"
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/b/file.zip"
for other in a c d; do assert_no_file "$FIXTURE/$other/file.zip"; done

rm "$FIXTURE/b/file.zip"
KORVO_WINEDEBUG=-all,+menu start_korvo "${HTTP_URL}file.zip"
wait_menu
menu_item_point "$(menu_rect 1)" 1
inject "move:$ITEM_X,$ITEM_Y" sleep:300
menu_item_point "$(menu_rect 2)" 1
inject "click:$ITEM_X,$ITEM_Y"
assert_exit_zero
for id in 07d2 07d3; do assert_eq "$(menu_trace_count $id)" 1 "items inserted with id $id (mouse)"; done
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/c/file.zip"
for other in a b d; do assert_no_file "$FIXTURE/$other/file.zip"; done
pass
