#!/usr/bin/env bash
# A server that stalls mid-body, with "@timeout=2": the time-out message comes within a few
# seconds, no partial file is left and the existing file is untouched. The same for a server that
# never answers the request, and for one that never accepts the connection.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture 2
echo "complete older copy" >"$DEST/file.zip"
cp "$DEST/file.zip" "$FIXTURE/original.zip"

for mode in stall-body stall-headers no-accept; do
    loopback_fault "$mode"
    pick_destination "${SERVER_URL}file.zip"
    started=$(date +%s)
    read_box 15
    waited=$(($(date +%s) - started))
    assert_eq "$BOX_CAPTION" "ダウンロード専用「コルボ」" "caption ($mode)"
    assert_eq "$BOX_TEXT" "タイムアウトにより終了します！" "text ($mode)"
    [ "$waited" -le 8 ] || fail "the time-out message took ${waited}s ($mode)"
    press_ok
    assert_exit_zero 10
    assert_same_file "$FIXTURE/original.zip" "$DEST/file.zip"
    assert_folder_holds "$DEST" file.zip
done
pass
