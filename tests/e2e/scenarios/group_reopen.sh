#!/usr/bin/env bash
# The user opens a group, closes it and opens it again: the group never holds its items twice,
# holds its own entries and not those of the group nested in it (which stands at the same position
# inside it as the group does at the top), and the folder picked below the nested group receives
# the file. (Wine reports the second opening against the group's own menu, so there the group keeps
# the items of its first filling.)
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE"/{a,w,x,y} "$FIXTURE/site"
head -c 100000 /dev/urandom >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
$FIXTURE_WIN\\a | Alpha
{グループ
$FIXTURE_WIN\\w | West
{Inner
$FIXTURE_WIN\\x | Xray
}
$FIXTURE_WIN\\y | Yankee
}
%end
INI

KORVO_WINEDEBUG=-all,+menu start_korvo "${HTTP_URL}file.zip"
wait_menu
# Down to the group, Right opens it on West, Left closes it, Right opens it again; Down Down to
# Yankee, past the nested group.
keys Down Right Left Right Down Down Return
assert_exit_zero

# The top level was built once; the group's items at most once for each of its two openings.
assert_eq "$(menu_trace_count 07d0)" 1 "Alpha inserted"
assert_eq "$(menu_trace_count 07d1)" 1 "group header inserted"
for id in 07d2 07d6; do
    count=$(menu_trace_count $id)
    [ "$count" -ge 1 ] && [ "$count" -le 2 ] || fail "item $id inserted $count times"
done
# Inner never opened: Xray (id 2004) was never put into any menu.
assert_eq "$(menu_trace_count 07d4)" 0 "Xray inserted"
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/y/file.zip"
for other in a w x; do assert_no_file "$FIXTURE/$other/file.zip"; done
pass
