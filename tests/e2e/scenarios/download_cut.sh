#!/usr/bin/env bash
# The connection drops mid-body: the read-error message, and nothing is written.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
loopback_fault cut-body
pick_destination "${SERVER_URL}file.zip"
expect_box "読み込みエラー" "ダウンロード失敗"
assert_folder_holds "$DEST"
pass
