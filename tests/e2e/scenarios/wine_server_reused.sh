#!/usr/bin/env bash
# A second start of the Wine environment while a server of the prefix runs (./korvo.sh beside the
# tests, or a server left by an interrupted run) uses that server: it starts, Korvo downloads, and
# ending the second environment leaves the first one's server running.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

server=$(korvo_server_pid) || fail "no wineserver of the prefix to begin with"

download_fixture
head -c 100000 /dev/urandom >"$SITE/reused.bin"
loopback_serve http "$SITE"
(
    KORVO_SERVER_STARTED=""
    korvo_wine_up >"$FIXTURE.wine-up.log" 2>&1 || { cat "$FIXTURE.wine-up.log"; exit 1; }
    korvo_wine_down
) || fail "the Wine environment did not start beside a running server"
[ "$(korvo_server_pid)" = "$server" ] || fail "the running server was ended or replaced"

# The environment came up on the running server: Korvo works in it.
pick_destination "${SERVER_URL}reused.bin"
assert_exit_zero 30
assert_same_file "$SITE/reused.bin" "$DEST/reused.bin"
pass
