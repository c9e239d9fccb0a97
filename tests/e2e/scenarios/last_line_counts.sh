#!/usr/bin/env bash
# A folder added at the very end of Korvo.ini, without a final Enter, is in the menu all the same.
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE/last" "$FIXTURE/site"
head -c 50000 /dev/urandom >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
printf '[dir]\r\n%s\\last | Last' "$FIXTURE_WIN" >"$FIXTURE/Korvo.ini"

start_korvo "${HTTP_URL}file.zip"
wait_menu
keys Return
assert_exit_zero
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/last/file.zip"
pass
