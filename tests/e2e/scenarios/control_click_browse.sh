#!/usr/bin/env bash
# Control+click on a folder item opens the folder browser on the program's folder (not on the
# item's folder), titled with the file name; Cancel ends the run with nothing downloaded.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

download_fixture
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@menu=100,100
%end
[dir]
$FIXTURE_WIN\\dest | Destination
%end
INI
head -c 50000 /dev/urandom >"$SITE/file.zip"
http_server "$SITE"

list_fixture_folders
start_korvo "${HTTP_URL}file.zip"
wait_menu
menu_item_point "$(menu_rect 1)" 0
inject hold:Ctrl "click:$ITEM_X,$ITEM_Y" release:Ctrl
wait_browser "$SCENARIO"
assert_browser_titled file.zip
keys Escape
assert_exit_zero

assert_nothing_downloaded "$FIXTURE"
pass
