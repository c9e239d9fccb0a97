#!/usr/bin/env bash
# A URL whose file name Windows reserves for a device, or that holds characters Windows forbids in
# file names, is saved under a safe name: never a device, never an alternate data stream.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
echo "not a device" >"$SITE/con.txt"
echo "not a stream" >"$SITE/a:b.txt"
loopback_serve http "$SITE"
pick_destination "${SERVER_URL}con.txt"
assert_exit_zero
assert_same_file "$SITE/con.txt" "$DEST/_con.txt"

pick_destination "${SERVER_URL}a:b.txt"
assert_exit_zero
assert_same_file "$SITE/a:b.txt" "$DEST/a_b.txt"
assert_folder_holds "$DEST" _con.txt a_b.txt
pass
