#!/usr/bin/env bash
# The user changes their mind: Escape closes the menu, nothing is downloaded, Korvo ends normally.
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
keys Escape
assert_exit_zero
assert_no_file "$FIXTURE/a/file.zip"
pass
