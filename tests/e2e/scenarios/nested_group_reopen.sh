#!/usr/bin/env bash
# A group holding a nested group, closed with Left and opened again with Right, shows its own
# entries (not the nested group's), once each; the folder picked below the nested group receives
# the file.
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE"/{a,w,x,y} "$FIXTURE/site"
head -c 50000 /dev/urandom >"$FIXTURE/site/file.zip"
http_server "$FIXTURE/site"
# The nested group stands at the same position inside the group as the group does at the top.
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
$FIXTURE_WIN\\a | Alpha
{Outer
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
# Down to Outer, Right opens it on West, Left closes it, Right opens it again; Down Down to Yankee.
keys Down Right Left Right Down Down Return
assert_exit_zero

# Inner never opened: Xray (id 2004) was never put into any menu.
assert_eq "$(menu_trace_count 07d4)" 0 "Xray inserted"
assert_same_file "$FIXTURE/site/file.zip" "$FIXTURE/y/file.zip"
for other in a w x; do assert_no_file "$FIXTURE/$other/file.zip"; done
pass
