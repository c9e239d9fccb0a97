#!/usr/bin/env bash
# An FTP transfer that ends cleanly at half the listed size is a read error, not a complete file.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
head -c 2000000 /dev/urandom >"$SITE/data.bin"
loopback_serve ftp "$SITE" --cut-ftp
pick_destination "${SERVER_URL}data.bin"
expect_box "読み込みエラー" "ダウンロード失敗"
assert_folder_holds "$DEST"
pass
