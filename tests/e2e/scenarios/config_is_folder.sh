#!/usr/bin/env bash
# "/#s=" naming a folder: the configuration cannot be opened, Korvo says so and ends, without a menu.
. "$(dirname "$0")/../lib.sh"

fixture
mkdir -p "$FIXTURE/sub"
printf '[dir]\r\nC:\\windows\r\n%%end\r\n' >"$FIXTURE/Korvo.ini"

start_korvo "/#s=sub" http://127.0.0.1:9/file.zip
read_box
assert_eq "$BOX_CAPTION" "エラー" "caption"
assert_eq "$BOX_TEXT" "設定ファイル異常" "text"
no_menu_within 0.5
press_ok
assert_exit_zero
no_menu_within 0.5
pass
