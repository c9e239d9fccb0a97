#!/usr/bin/env bash
# "&Help" and the configuration-file item open their files with the program associated with
# .txt and .ini files (a recorder stands in for it): the help file beside the program, and the
# configuration in use, quoted when its path has a space.
. "$(dirname "$0")/../lib.sh"

SCENARIO="help and config"  # a space in the program folder's path
fixture
cp "$KORVO_TOOLS/record.exe" "$FIXTURE/"
cp "$E2E_ROOT/src/resources/Korvo.txt" "$FIXTURE/"
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
C:\\windows
%end
INI

associate() {  # EXTENSION: opening such a file runs the recorder
    e2e_tool 30 reg add "HKCR\\$1" /ve /d korvo.e2e /f >/dev/null 2>&1
}
e2e_tool 30 reg add 'HKCR\korvo.e2e\shell\open\command' /ve /d "\"$FIXTURE_WIN\\record.exe\" \"%1\"" /f \
    >/dev/null 2>&1 || fail "could not register the recorder"
associate .txt
associate .ini
trap 'e2e_tool 30 reg delete "HKCR\\korvo.e2e" /f >/dev/null 2>&1; e2e_cleanup' EXIT

wait_record() {  # LINES: waits until the recorder has written that many lines
    local i
    for i in $(seq 1 100); do
        [ "$({ wc -l <"$FIXTURE/record.txt"; } 2>/dev/null || echo 0)" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "the associated program was not started"
}

start_korvo
wait_menu
keys h
assert_exit_zero
wait_record 2
grep -qF "$FIXTURE_WIN\\Korvo.txt" "$FIXTURE/record.txt" || fail "the help file was not opened: $(cat "$FIXTURE/record.txt")"

start_korvo
wait_menu
keys 1
assert_exit_zero
wait_record 4
grep -qF "\"$FIXTURE_WIN\\Korvo.ini\"" "$FIXTURE/record.txt" \
    || fail "the configuration was not opened quoted: $(cat "$FIXTURE/record.txt")"
pass
