#!/usr/bin/env bash
# The user opens a group, closes it and opens it again: the group never holds its items twice, and
# the second item picked is the second folder. (Wine reports the second opening against the group's
# own menu, so there the group keeps the items of its first filling.)
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE"/{a,b,c} "$FIXTURE/site"
head -c 100000 /dev/urandom >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
$FIXTURE_WIN\\a | Alpha
{グループ
$FIXTURE_WIN\\b | Beta
$FIXTURE_WIN\\c | Gamma
}
%end
INI

KORVO_WINEDEBUG=-all,+menu start_korvo "${HTTP_URL}file.zip"
wait_menu
# Down to the group, Right opens it on Beta, Left closes it, Right opens it again, Down to Gamma.
keys Down Right Left Right Down Return
assert_exit_zero

# The top level was built once; the group's items at most once for each of its two openings.
assert_eq "$(menu_trace_count 07d0)" 1 "Alpha inserted"
assert_eq "$(menu_trace_count 07d1)" 1 "group header inserted"
for id in 07d2 07d3; do
    count=$(menu_trace_count $id)
    [ "$count" -ge 1 ] && [ "$count" -le 2 ] || fail "item $id inserted $count times"
done
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/c/file.zip"
assert_no_file "$FIXTURE/b/file.zip"
pass
