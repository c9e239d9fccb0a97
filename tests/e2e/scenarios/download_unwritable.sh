#!/usr/bin/env bash
# A destination that cannot be written to (made immutable, since the tests run as root and root
# ignores permissions) and one that fills up mid-download: the write-error message, nothing left.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
head -c 3000000 /dev/urandom >"$SITE/big.iso"
loopback_serve http "$SITE"

chattr +i "$DEST" 2>/dev/null || fail "chattr +i is not available here"
trap 'chattr -i "$DEST" 2>/dev/null; e2e_cleanup' EXIT
pick_destination "${SERVER_URL}big.iso"
expect_box "書き込みエラー" "ダウンロード失敗"
chattr -i "$DEST"
assert_folder_holds "$DEST"

# A full disk: a 1 MB file system under the destination.
if mount -t tmpfs -o size=1m korvo-e2e "$DEST" 2>/dev/null; then
    trap 'umount "$DEST" 2>/dev/null; e2e_cleanup' EXIT
    pick_destination "${SERVER_URL}big.iso"
    expect_box "書き込みエラー" "ダウンロード失敗"
    assert_folder_holds "$DEST"
    umount "$DEST"
else
    e2e_note "no tmpfs mount here: the full-disk half is skipped"
fi
pass
