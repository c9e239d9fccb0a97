#!/usr/bin/env bash
# Started without a URL, Korvo offers only its own items; "&Version" shows the version box.
. "$(dirname "$0")/../lib.sh"

fixture
write_ini "$FIXTURE/Korvo.ini" <<INI
[system]
%end
[dir]
C:\\windows
%end
[exec]
%end
INI

start_korvo
wait_menu
keys v
read_box
assert_eq "$BOX_CAPTION" "バージョン情報" "version box caption"
[ -n "$BOX_TEXT" ] || fail "the version box says nothing"
e2e_note "version box: $(printf '%s' "$BOX_TEXT" | tr '\n' ' ')"
# The version is set once, in CMake's project(); the box must show that one, as the package's name does.
version=$(sed -nE 's/^project\(Korvo VERSION ([0-9.]+).*/\1/p' "$E2E_ROOT/CMakeLists.txt")
[ -n "$version" ] || fail "no project VERSION in CMakeLists.txt"
case "$BOX_TEXT" in
*" $version"*) ;;
*) fail "the version box does not show version $version" ;;
esac
press_ok
assert_exit_zero
pass
