#!/usr/bin/env bash
# The user switches to another window while the menu is open: the menu closes, Korvo ends normally.
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE/a" "$FIXTURE/site"
echo "payload" >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
$FIXTURE_WIN\\a | Alpha
%end
INI

start_korvo "${HTTP_URL}file.zip"
wait_menu
probe_window Elsewhere 600 500 300 200 20
wait_no_menu 10
assert_exit_zero
assert_no_file "$FIXTURE/a/file.zip"
pass
