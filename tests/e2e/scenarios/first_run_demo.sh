#!/usr/bin/env bash
# ./korvo.sh without a URL shows the whole job: a sample file served on 127.0.0.1 lands whole in
# the first folder of the sample configuration, and the menu's screenshot is saved.
. "$(dirname "$0")/../lib.sh"

fixture  # only for the scenario's own files
shot=$FIXTURE/menu.png
# In the tests' own prefix and display: a prefix of the demo's own would be made afresh here.
output=$(cd "$E2E_ROOT" && KORVO_WINEPREFIX=$WINEPREFIX timeout 80 ./korvo.sh --shot "$shot" 2>&1)
status=$?
printf '%s\n' "$output" >"$FIXTURE.demo.log"
landed=$(printf '%s\n' "$output" | sed -n 's/^demo: the file landed in //p')
[ -z "$landed" ] || rm -f "$landed"  # the demo's copy in the shared prefix
[ "$status" = 0 ] || fail "korvo.sh ended with $status: $(tail -5 "$FIXTURE.demo.log" | tr '\n' ' ')"
printf '%s\n' "$output" | grep -q '^demo:   sha256 [0-9a-f]*, the same as served$' \
    || fail "the demo did not report a whole file: $(tail -5 "$FIXTURE.demo.log" | tr '\n' ' ')"
assert_file "$shot"
e2e_note "landed in $landed"
pass
