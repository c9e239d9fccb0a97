#!/usr/bin/env bash
# A destination folder of 250 characters still receives its file: the folder and the file's name
# fit in a path, so the temporary file next to it must fit as well. So does a folder of 200
# Japanese characters (400 bytes in code page 932, 200 characters to Windows), and a UTF-8 file's
# line of 638 bytes (436 in code page 932) that names one: counted as 517 bytes of UTF-8, it would
# be cut after a backslash and name the folder's parent.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

download_fixture
long=$FIXTURE_WIN
deep=$FIXTURE
while [ $((${#long} + 10)) -le 250 ]; do
    long="$long\\folder0000"
    deep="$deep/folder0000"
done
pad=$((250 - ${#long} - 1))
segment=$(printf 'x%.0s' $(seq 1 "$pad"))
long="$long\\$segment"
deep="$deep/$segment"
assert_eq "${#long}" 250 "folder length"
mkdir -p "$deep"
printf '[dir]\n%s | Long\n%%end\n' "$long" | write_ini "$FIXTURE/Korvo.ini"
head -c 50000 /dev/urandom >"$SITE/a.zip"
http_server "$SITE"
pick_destination "${HTTP_URL}a.zip"
assert_exit_zero
assert_same_file "$SITE/a.zip" "$deep/a.zip"

fifty=$(printf 'ダウンロード先のフォルダ名%.0s' 1 2 3 4 5 6)  # 12 characters a time, cut to 50
fifty=${fifty:0:50}
japanese="$FIXTURE_WIN\\$fifty\\$fifty\\$fifty\\$fifty"
mkdir -p "$FIXTURE/$fifty/$fifty/$fifty/$fifty"
printf '[dir]\n%s | 日本語\n%%end\n' "$japanese" | write_ini "$FIXTURE/Korvo.ini"
pick_destination "${HTTP_URL}a.zip"
assert_exit_zero
assert_same_file "$SITE/a.zip" "$FIXTURE/$fifty/$fifty/$fifty/$fifty/a.zip"

parent="xx$(printf '長%.0s' $(seq 82))/$(printf '名%.0s' $(seq 80))" child=$(printf '前%.0s' $(seq 40))
mkdir -p "$FIXTURE/$parent/$child"
printf '[dir]\n%s\\%s\\%s\n%%end\n' "$FIXTURE_WIN" "${parent/\//\\}" "$child" | write_utf8_ini "$FIXTURE/Korvo.ini"
pick_destination "${HTTP_URL}a.zip"
assert_exit_zero
assert_same_file "$SITE/a.zip" "$FIXTURE/$parent/$child/a.zip"
assert_no_file "$FIXTURE/$parent/a.zip"
pass
