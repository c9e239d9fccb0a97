#!/usr/bin/env bash
# An empty body gives an empty file.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
: >"$SITE/empty.txt"
loopback_serve http "$SITE"
pick_destination "${SERVER_URL}empty.txt"
assert_exit_zero
assert_file "$DEST/empty.txt"
[ ! -s "$DEST/empty.txt" ] || fail "empty.txt is not empty"
assert_folder_holds "$DEST" empty.txt
pass
