#!/usr/bin/env bash
# /#c /#0 with a URL on the clipboard: no menu, the folder browser opens at once on the start
# folder ("@base="), titled with the file name; the user accepts it and the file arrives there.
# The folder's name holds "¥" (a UTF-8 configuration): the file lands in it, not in the existing
# look-alike "a\b".
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"
. "$(dirname "$0")/../clipboard_lib.sh"

download_fixture
mkdir -p "$FIXTURE/a¥b" "$FIXTURE/a/b"
write_utf8_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@base=$FIXTURE_WIN\\a¥b
%end
[dir]
$FIXTURE_WIN\\dest | Destination
%end
INI
head -c 100000 /dev/urandom >"$SITE/file.zip"
http_server "$SITE"
set_clipboard "${HTTP_URL}file.zip"

list_fixture_folders
start_korvo /#c /#0
wait_browser a¥b
assert_browser_titled file.zip
no_menu_within 0.2
keys Return
assert_exit_zero

assert_same_file "$SITE/file.zip" "$FIXTURE/a¥b/file.zip"
assert_no_file "$FIXTURE/a/b/file.zip"
assert_no_file "$DEST/file.zip"
pass
