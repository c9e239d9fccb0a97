#!/usr/bin/env bash
# The user copies text holding a URL alone on a line, blanks around it, with Thai, Arabic, an
# emoji and Japanese on the other lines, and starts Korvo with /#c: the URL arrives intact, the menu's file item
# shows its file name, and the folder picked receives the file.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

download_fixture
head -c 100000 /dev/urandom >"$SITE/file.zip"
http_server "$SITE"
# A URL with characters code page 932 lacks comes first: it must not pass as "http://...:9/????.zip".
set_clipboard "$(printf 'สวัสดีครับ\r\nمرحبا 😀 ダウンロード：\r\nhttp://127.0.0.1:9/ไฟล์.zip\r\n   %sfile.zip  \r\n' "$HTTP_URL")"

KORVO_WINEDEBUG=-all,+menu start_korvo /#c
wait_menu
keys Return
assert_exit_zero

# The file item (id 2650) carries the clipboard URL's file name.
grep -E 'InsertMenu|AppendMenu' "$KORVO_STDERR" | grep -iE 'id 0*a5a\b' | grep -q 'L"file.zip"' \
    || fail "the menu's file item does not show file.zip"
assert_same_file "$SITE/file.zip" "$DEST/file.zip"
pass
