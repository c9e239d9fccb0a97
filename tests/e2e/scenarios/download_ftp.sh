#!/usr/bin/env bash
# The same over FTP: anonymous, and with a user name and password in the URL.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
head -c 10000000 /dev/urandom >"$SITE/data.bin"
loopback_serve ftp "$SITE"
pick_destination "${SERVER_URL}data.bin"
assert_exit_zero 60
assert_same_file "$SITE/data.bin" "$DEST/data.bin"

rm "$DEST/data.bin"
pick_destination "ftp://korvo:secret@${SERVER_URL#ftp://}data.bin"
assert_exit_zero 60
assert_same_file "$SITE/data.bin" "$DEST/data.bin"
assert_folder_holds "$DEST" data.bin
pass
