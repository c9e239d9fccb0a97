#!/usr/bin/env bash
# The user copies text holding a URL alone on a line, blanks around it, with Thai, Arabic, an
# emoji and Japanese on the other lines, and starts Korvo with /#c: the URL, "é" in its path,
# arrives intact (the server finds the file only when asked in UTF-8), the menu's file item shows
# its file name, and the folder picked receives the file under that name.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

download_fixture
head -c 100000 /dev/urandom >"$SITE/café.zip"
http_server "$SITE"
set_clipboard "$(printf 'สวัสดีครับ\r\nمرحبا 😀 ダウンロード：\r\n   %scafé.zip  \r\n' "$HTTP_URL")"

KORVO_WINEDEBUG=-all,+menu start_korvo /#c
wait_menu
keys Return
assert_exit_zero

# The file item (id 2650) carries the clipboard URL's file name.
grep -E 'InsertMenu|AppendMenu' "$KORVO_STDERR" | grep -iE 'id 0*a5a\b' | grep -q 'L"caf\\00e9.zip"' \
    || fail "the menu's file item does not show café.zip"
assert_same_file "$SITE/café.zip" "$DEST/café.zip"
pass
