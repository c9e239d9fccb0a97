# Sourced after lib.sh by the scenarios that hand the URL to an external program: the recorder
# (tools/record.exe) stands in for the downloader, and the menu offers one destination folder.

# exec_fixture TEMPLATE [DEST_NAME]: the fixture with the recorder configured as "getter" with
# TEMPLATE, and the destination folder DEST_NAME ("dest", "/" between folders) as the menu's only
# folder.
exec_fixture() {
    fixture
    DEST_NAME=${2:-dest}
    DEST=$FIXTURE/$DEST_NAME
    DEST_WIN="$FIXTURE_WIN\\${DEST_NAME//\//\\}"
    RECORD=$FIXTURE/tools/record.txt
    mkdir -p "$DEST" "$FIXTURE/tools"
    cp "$KORVO_TOOLS/record.exe" "$FIXTURE/tools/"
    {
        printf '[dir]\n%s | Destination\n%%end\n' "$DEST_WIN"
        printf '[exec]\n%s\\tools\\record.exe | getter\n>%s\n%%end\n' "$FIXTURE_WIN" "$1"
    } | write_ini "$FIXTURE/Korvo.ini"
}

# record_lines: how many lines the recorder has written so far (two a run: command line, folder).
record_lines() { { wc -l <"$RECORD"; } 2>/dev/null || echo 0; }

# wait_record LINES: waits until the recorder has written that many lines, and its console window
# has closed (appearing later, it would take the focus from the next run's menu, which closes).
wait_record() {
    local i
    for i in $(seq 1 200); do
        [ "$(record_lines)" -ge "$1" ] && { inspect wait-gone --class WineConsoleClass --timeout 10 >/dev/null; return 0; }
        sleep 0.1
    done
    fail "the program was not started (record: $(cat "$RECORD" 2>/dev/null))"
}

# recorded N: line N of the record (CR removed).
recorded() { sed -n "${1}p" "$RECORD" | tr -d '\r'; }

# assert_started_with N PARAMETERS: the run recorded at lines N, N+1 had exactly PARAMETERS after
# the program's quoted path, and ran in the program's own folder.
assert_started_with() {
    local line
    line=$(recorded "$1")
    assert_eq "$line" "\"$FIXTURE_WIN\\tools\\record.exe\" $2" "command line"
    assert_eq "$(recorded $(($1 + 1)))" "$FIXTURE_WIN\\tools" "working folder"
}

# assert_not_started: Korvo has ended and, a moment later, still no new run was recorded.
assert_not_started() {
    local before=$1
    sleep 1
    [ "$(record_lines)" -eq "$before" ] || fail "the program was started: $(cat "$RECORD")"
}

# wait_box: the file-name box (a dialog of Korvo's) is open; reads its three controls.
wait_box() {
    inspect wait-window --class '#32770' --timeout 20 >/dev/null || fail "the file-name box did not open"
    BOX_LABEL=$(inspect item --class '#32770' --id 300 --timeout 5)
    BOX_NAME=$(inspect item --class '#32770' --id 400 --timeout 5)
    BOX_EXT=$(inspect item --class '#32770' --id 401 --timeout 5)
}
