#!/usr/bin/env bash
# A first start with no configuration: Korvo creates an empty Korvo.ini and still shows its menu.
. "$(dirname "$0")/../lib.sh"

fixture
assert_no_file "$FIXTURE/Korvo.ini"
start_korvo
wait_menu
assert_file "$FIXTURE/Korvo.ini"
[ ! -s "$FIXTURE/Korvo.ini" ] || fail "the created Korvo.ini is not empty"
keys Escape
assert_exit_zero
pass
