#!/usr/bin/env bash
# A missing file (404) is a failure, not a file: the message, and the file already in the
# destination stays as it was.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
echo "the user's own file" >"$DEST/report.pdf"
cp "$DEST/report.pdf" "$FIXTURE/original.pdf"
loopback_serve http "$SITE"
pick_destination "${SERVER_URL}report.pdf"
expect_box "オープンエラー" "ダウンロード失敗"
assert_same_file "$FIXTURE/original.pdf" "$DEST/report.pdf"
assert_folder_holds "$DEST" report.pdf
pass
