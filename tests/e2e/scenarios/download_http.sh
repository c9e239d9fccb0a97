#!/usr/bin/env bash
# A 10 MB file over HTTP lands whole in the folder the user picks.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
head -c 10000000 /dev/urandom >"$SITE/archive.tar.gz"
loopback_serve http "$SITE"
pick_destination "${SERVER_URL}archive.tar.gz"
assert_exit_zero 60
assert_same_file "$SITE/archive.tar.gz" "$DEST/archive.tar.gz"
assert_folder_holds "$DEST" archive.tar.gz
pass
