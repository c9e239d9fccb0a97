#!/usr/bin/env bash
# "/#e=" naming no configured program, or a name the program's only contains, leaves the download
# to Korvo itself: the file arrives and the program never runs.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../exec_lib.sh"

exec_fixture '%L'
SITE=$FIXTURE/site
mkdir -p "$SITE"
printf 'payload' >"$SITE/file.txt"
loopback_serve http "$SITE"
for option in '/#e=nosuch' '/#e=get'; do
    rm -f "$DEST/file.txt"
    start_korvo "$option" "${SERVER_URL}file.txt"
    wait_menu
    keys Return
    assert_exit_zero 30
    assert_same_file "$SITE/file.txt" "$DEST/file.txt"
done
assert_not_started 0
pass
