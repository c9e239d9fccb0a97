#!/usr/bin/env bash
# "%$K" asks for the file name in a small box where the menu was: Enter hands over the edited name,
# Escape starts nothing, Delete takes the URL's own name; near the screen's edges the box moves in.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../exec_lib.sh"

exec_fixture '-o "%P%$K" %L'
LABEL=$(printf '\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab\xe5\x90\x8d\xe5\x85\xa5\xe5\x8a\x9b')  # ファイル名入力

pick_and_wait_box() {  # URL [OPTION...]: the menu at (300,200) unless an option says otherwise
    local url=$1
    shift
    start_korvo '/#e=getter' '/#m=300,200' "$@" "$url"
    wait_menu
    keys Return
    wait_box
}

# Typed edits of any script: the name through the keyboard, the extension set in its box; Enter
# accepts both.
pick_and_wait_box http://127.0.0.1:9/pub/file.zip
assert_eq "$BOX_LABEL" "$LABEL" "caption"
assert_eq "$BOX_NAME|$BOX_EXT" "file|.zip" "proposal"
read -r left top right bottom <<<"$(inspect rect --class '#32770' --timeout 5)"
assert_eq "$left,$top" "300,200" "box position at the menu's point"
keys End Shift+Home text:rénamé表
inspect set-item --class '#32770' --id 401 --text .txt >/dev/null || fail "could not set the extension"
assert_eq "$(inspect item --class '#32770' --id 400 --timeout 5)" rénamé表 "typed name"
keys Return
assert_exit_zero
wait_record 2
assert_started_with 1 "-o $DEST_WIN\\rénamé表.txt http://127.0.0.1:9/pub/file.zip"

# Escape: nothing is started.
pick_and_wait_box http://127.0.0.1:9/pub/file.zip
keys Escape
assert_exit_zero
assert_not_started 2

# Delete: the URL's own name, although "index.html" was proposed.
pick_and_wait_box http://127.0.0.1:9/pub/getfile
assert_eq "$BOX_NAME|$BOX_EXT" "index|.html" "proposal without an extension"
keys Delete
assert_exit_zero
wait_record 4
assert_started_with 3 "-o $DEST_WIN\\getfile http://127.0.0.1:9/pub/getfile"

# Near the right and bottom edges the box keeps 10 and 5 pixels free.
read -r width height <<<"$(inspect metrics)"
start_korvo '/#e=getter' "/#m=$((width - 20)),$((height - 20))" http://127.0.0.1:9/pub/file.zip
wait_menu
keys Return
wait_box
read -r left top right bottom <<<"$(inspect rect --class '#32770' --timeout 5)"
e2e_note "screen ${width}x$height, box at ($left,$top)-($right,$bottom)"
assert_eq "$left,$top" "$((width - 170)),$((height - 70))" "box position near the edges"
keys Escape
assert_exit_zero
assert_not_started 4
pass
