#!/usr/bin/env bash
# The user copies a page's text holding a URL on its own line and starts Korvo with /#c: the menu's
# file item shows the clipboard URL's file name, and the folder picked receives the file.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

download_fixture
head -c 100000 /dev/urandom >"$SITE/file.zip"
http_server "$SITE"
set_clipboard "$(printf 'Dear all,\r\nthe file is here:\r\n   %sfile.zip  \r\nsee %sother.zip\r\n' "$HTTP_URL" "$HTTP_URL")"

KORVO_WINEDEBUG=-all,+menu start_korvo /#c
wait_menu
keys Return
assert_exit_zero

# The file item (id 2650) carries the clipboard URL's file name.
grep -E 'InsertMenu|AppendMenu' "$KORVO_STDERR" | grep -iE 'id 0*a5a\b' | grep -q 'L"file.zip"' \
    || fail "the menu's file item does not show file.zip"
assert_same_file "$SITE/file.zip" "$DEST/file.zip"
pass
