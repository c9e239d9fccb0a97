#!/usr/bin/env bash
# The clipboard holds Thai, Arabic, an emoji and Japanese on other lines, and the URL alone on one:
# the URL arrives intact, the menu shows its file name, and the download lands.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

download_fixture
head -c 50000 /dev/urandom >"$SITE/file.zip"
http_server "$SITE"
set_clipboard "$(printf 'สวัสดีครับ\r\nمرحبا بالعالم 😀\r\nダウンロード：\r\n%sfile.zip\r\nhttp://127.0.0.1:9/ไฟล์.zip\r\n' "$HTTP_URL")"

KORVO_WINEDEBUG=-all,+menu start_korvo /#c
wait_menu
keys Return
assert_exit_zero

grep -E 'InsertMenu|AppendMenu' "$KORVO_STDERR" | grep -iE 'id 0*a5a\b' | grep -q 'L"file.zip"' \
    || fail "the menu's file item does not show file.zip"
assert_same_file "$SITE/file.zip" "$DEST/file.zip"
pass
