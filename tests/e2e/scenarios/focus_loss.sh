#!/usr/bin/env bash
# The user switches to another window while the menu is open: the menu closes, Korvo ends normally.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
echo "payload" >"$SITE/file.zip"
loopback_serve http "$SITE"

start_korvo "${SERVER_URL}file.zip"
wait_menu
probe_window Elsewhere 600 500 300 200 20
wait_no_menu 10
assert_exit_zero
assert_folder_holds "$DEST"
pass
