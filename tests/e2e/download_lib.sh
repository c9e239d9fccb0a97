# Sourced after lib.sh by the scenarios that pick one destination: a program folder whose menu
# offers one folder, and the steps around a download into it.

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
    # Wine keeps a file's Zone.Identifier stream beside it as "NAME:Zone.Identifier": part of NAME.
    actual=$(ls -A "$dir" | while IFS= read -r name; do
        [ "${name%:Zone.Identifier}" != "$name" ] && [ -e "$dir/${name%:Zone.Identifier}" ] || echo "$name"
    done | sort)
    [ "$actual" = "$expected" ] || fail "$dir holds '$(echo $actual)', expected '$(echo $expected)'"
}

# assert_marked FILE URL: the file carries the mark of the Internet zone, with URL as its source.
assert_marked() {
    assert_eq "$(tr -d '\r' <"$1:Zone.Identifier" 2>/dev/null)" \
        "$(printf '[ZoneTransfer]\nZoneId=3\nHostUrl=%s' "$2")" "the mark of $(basename "$1")"
}
