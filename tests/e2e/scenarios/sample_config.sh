#!/usr/bin/env bash
# The sample configuration that korvo.sh puts beside a first-run program shows the user's own
# desktop and documents folders, through placeholders.
. "$(dirname "$0")/../lib.sh"

fixture
cp "$E2E_ROOT/src/resources/Korvo.ini" "$FIXTURE/Korvo.ini"
KORVO_WINEDEBUG="-all,+menu" start_korvo http://127.0.0.1:9/file.zip
wait_menu
keys Escape
assert_exit_zero
# The desktop and the documents folder exist in every prefix: the first two folder ids.
[ "$(menu_trace_count 7d0)" -ge 1 ] || fail "no desktop item"
[ "$(menu_trace_count 7d1)" -ge 1 ] || fail "no documents item"
# Their labels, as Wine's trace spells them in UTF-16 escapes: デスクトップ and ドキュメント.
grep -qi 'id 0*7d0.*\\30c7\\30b9\\30af\\30c8\\30c3\\30d7' "$KORVO_STDERR" || fail "the desktop item has another label"
grep -qi 'id 0*7d1.*\\30c9\\30ad\\30e5\\30e1\\30f3\\30c8' "$KORVO_STDERR" || fail "the documents item has another label"
pass
