#!/usr/bin/env bash
# A 10 MB file over HTTP lands whole in the folder the user picks; so does a signed link of 2,083
# characters, whose server refuses any other query. One more, and the URL is refused, never cut.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
head -c 10000000 /dev/urandom >"$SITE/archive.tar.gz"
loopback_serve http "$SITE"
pick_destination "${SERVER_URL}archive.tar.gz"
assert_exit_zero 60
assert_same_file "$SITE/archive.tar.gz" "$DEST/archive.tar.gz"
assert_folder_holds "$DEST" archive.tar.gz

url="${SERVER_URL}report.pdf?X-Signature="
query="X-Signature=$(head -c $((2083 - ${#url})) /dev/zero | tr '\0' s)"
printf '%s' "$query" >"$SITE/report.pdf.query"
printf 'signed' >"$SITE/report.pdf"
pick_destination "${SERVER_URL}report.pdf?$query"
assert_exit_zero 60
assert_same_file "$SITE/report.pdf" "$DEST/report.pdf"
start_korvo "${SERVER_URL}report.pdf?${query}s"
expect_box "エラー" "URL が長すぎます。使える URL は 2083 文字までです。"
pass
