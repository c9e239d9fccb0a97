#!/usr/bin/env bash
# "@editor=" names a program by its bare name, found along "@path=" (a folder list, then a
# search-path file): the configuration item and "&Help" start it with the quoted file path, in
# the program's own folder.
. "$(dirname "$0")/../lib.sh"

SCENARIO="editor program"  # a space in every path, so that quoting shows
fixture
mkdir -p "$FIXTURE/tools"
cp "$KORVO_TOOLS/record.exe" "$FIXTURE/tools/"
cp "$E2E_ROOT/src/resources/Korvo.txt" "$FIXTURE/"
RECORD=$FIXTURE/tools/record.txt

wait_record() {  # LINES: waits until the recorder has written that many lines
    local i
    for i in $(seq 1 100); do
        [ "$({ wc -l <"$RECORD"; } 2>/dev/null || echo 0)" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "the editor was not started"
}
# started_with FILE: the recorder's last run had FILE quoted on its command line, and ran in its
# own folder, not in the folder Korvo was started from.
started_with() {
    local commandLine folder
    commandLine=$(tail -n 2 "$RECORD" | sed -n 1p | tr -d '\r')
    folder=$(tail -n 1 "$RECORD" | tr -d '\r')
    case "$commandLine" in
    *"\"$1\""*) ;;
    *) fail "the editor's command line lacks \"$1\": $commandLine" ;;
    esac
    [ "${folder%\\}" = "$FIXTURE_WIN\\tools" ] || fail "the editor ran in $folder"
}

write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@path=C:\\nowhere;$FIXTURE_WIN\\tools
@editor=record
%end
INI
start_korvo
wait_menu
keys 1
assert_exit_zero
wait_record 2
started_with "$FIXTURE_WIN\\Korvo.ini"

# The search-path file form: a listing of variables, found from the current folder.
printf 'TEMP=C:\\temp\r\nPath=C:\\nowhere;%s\\tools\r\n' "$FIXTURE_WIN" | iconv -f UTF-8 -t CP932 >"$FIXTURE/paths.txt"
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@path=paths.txt
@editor=record
%end
INI
start_korvo
wait_menu
keys h
assert_exit_zero
wait_record 4
started_with "$FIXTURE_WIN\\Korvo.txt"
pass
