#!/usr/bin/env bash
# The user changes their mind: Escape closes the menu, nothing is downloaded, Korvo ends normally.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
echo "payload" >"$SITE/file.zip"
loopback_serve http "$SITE"

start_korvo "${SERVER_URL}file.zip"
wait_menu
keys Escape
assert_exit_zero
assert_folder_holds "$DEST"
pass
