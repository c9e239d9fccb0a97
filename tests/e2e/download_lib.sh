# Sourced by the download scenarios, after lib.sh: a program folder whose menu offers one
# destination, and the loopback servers that feed it.

SERVERS=$E2E_ROOT/tests/e2e/servers

# download_fixture [TIMEOUT]: the fixture with a destination folder "dest" as the menu's only
# folder (highlighted when the menu opens, so Return picks it) and a "site" folder to serve.
download_fixture() {
    fixture
    DEST=$FIXTURE/dest
    SITE=$FIXTURE/site
    mkdir -p "$DEST" "$SITE"
    write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
@timeout=${1:-30}
%end
[dir]
$FIXTURE_WIN\\dest | Destination
%end
INI
}

# port_from FILE: waits until a server has written its port there.
port_from() {
    local i
    for i in $(seq 1 100); do
        [ -s "$1" ] && { cat "$1"; return 0; }
        sleep 0.1
    done
    fail "the server did not start ($1)"
}

# serve http|https|ftp [extra serve.py options]: serves $SITE; sets SERVE_URL (ending with /).
serve() {
    local protocol=$1
    shift
    local portFile=$FIXTURE.$protocol.port
    rm -f "$portFile"
    background_server /usr/bin/python3 "$SERVERS/serve.py" "$protocol" "$SITE" --port-file "$portFile" \
        --lifetime 80 "$@"
    SERVE_URL="$protocol://127.0.0.1:$(port_from "$portFile")/"
}

# fault_server MODE: a server that misbehaves in one way (see servers/fault_server.py); sets FAULT_URL.
fault_server() {
    local portFile=$FIXTURE.fault.port
    rm -f "$portFile"
    background_server /usr/bin/python3 "$SERVERS/fault_server.py" "$1" --port-file "$portFile" --lifetime 80
    FAULT_URL="http://127.0.0.1:$(port_from "$portFile")/"
}

# pick_destination URL: runs Korvo on the URL and picks the destination folder from the menu.
pick_destination() {
    start_korvo "$1"
    wait_menu
    keys Return
}

# expect_box CAPTION TEXT: the message a failed download shows; OK ends the run.
expect_box() {
    read_box 20
    assert_eq "$BOX_CAPTION" "$1" "caption"
    assert_eq "$BOX_TEXT" "$2" "text"
    press_ok
    assert_exit_zero
}

# assert_folder_holds DIR NAME...: exactly these files, nothing half-written beside them.
assert_folder_holds() {
    local dir=$1
    shift
    local expected actual
    expected=$(printf '%s\n' "$@" | sort)
    actual=$(ls -A "$dir" | sort)
    [ "$actual" = "$expected" ] || fail "$dir holds '$(echo $actual)', expected '$(echo $expected)'"
}
