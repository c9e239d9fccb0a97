#!/usr/bin/env bash
# "/#e=" names the configured downloader: picking a folder starts it in its own folder, with every
# token of its template replaced once, so the URL's "%D0" and "%F0" escapes reach it unchanged.
# A "/#e=" name that no program has, or that a program's name only contains, leaves the download
# to Korvo itself: the file arrives and the program does not run. A URL beyond code page 932
# reaches the program exactly, as the arguments its template shows.
# Each URL reaches the program as one argument (as its C run-time splits the command line): a
# drive root as "C:\", a signed link of 1,500 characters whole, a batch file's URLs with "&", ">",
# "|" and "^" without starting a second command; one holding "%CD%", which cmd.exe would replace,
# does not start the batch file at all, nor does "%PROMPT%"; "-o", "Tom&Jerry\Example_(2).jpg", URL.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../exec_lib.sh"
. "$(dirname "$0")/../download_lib.sh"

exec_fixture '%S|%G|%H|%I|%J|%-J|%K|%L|%-L|%P|%-P|%D|%-D|%F' 'Down Load/Music'
url='http://me:pw@127.0.0.1:9/pub/%D0%F0.zip?x=1#top'
start_korvo '/#e=GETTER' "$url"
wait_menu
keys Return
assert_exit_zero
wait_record 2
dest=$DEST_WIN parent="$FIXTURE_WIN\\Down Load"
assert_started_with 1 "\"http|127.0.0.1|me|pw|/pub/%D0%F0.zip|/pub/|%D0%F0.zip|$url|${url%#top}|$dest\\|$dest|$parent\\|$parent|Down Load\""
assert_no_file "$DEST/%D0%F0.zip"

# An ftp URL on the command line is a target too, handed to the program.
start_korvo '/#e=getter' 'ftp://127.0.0.1:9/a.bin'
wait_menu
keys Return
assert_exit_zero
wait_record 4
assert_started_with 3 "\"ftp|127.0.0.1|||/a.bin|/|a.bin|ftp://127.0.0.1:9/a.bin|ftp://127.0.0.1:9/a.bin|$dest\\|$dest|$parent\\|$parent|Down Load\""

SITE=$FIXTURE/site
mkdir -p "$SITE"
printf 'payload' >"$SITE/file.txt"
loopback_serve http "$SITE"
for option in '/#e=nosuch' '/#e=get'; do
    rm -f "$DEST/file.txt"
    start_korvo "$option" "${SERVER_URL}file.txt"
    wait_menu
    keys Return
    assert_exit_zero 30
    assert_same_file "$SITE/file.txt" "$DEST/file.txt"
done
assert_not_started 4

# assert_args ARG...: the arguments of the program's last run, one per line.
assert_args() { assert_eq "$(tr -d '\r' <"$FIXTURE/tools/argv.txt")" "$(printf '%s\n' "$@")" "arguments"; }
{
    printf '[dir]\nC:\\ | Root\n%s\\Tom&Jerry | Tom\n%%end\n[exec]\n%s\\tools\\record.exe | getter\n' "$FIXTURE_WIN" "$FIXTURE_WIN"
    printf '>-P "%%-P" %%L -o "%%P%%K"\n%s\\tools\\dl.bat | batch\n>-o %%P%%K %%L\n%%end\n' "$FIXTURE_WIN"
} | write_ini "$FIXTURE/Korvo.ini"
mkdir -p "$FIXTURE/Tom&Jerry"
printf '@record.exe %%*\r\n' >"$FIXTURE/tools/dl.bat"
n=$(record_lines)
for run in 'getter wiki/File:Example.jpg' 'getter café/😀表.zip' "getter r.pdf?X-Signature=$(head -c 1460 /dev/zero | tr '\0' s)&b=1" \
    'batch a&ver>inj.zip?id=1&ver>inj.txt' 'batch b.zip?x=1|ver>inj.txt' 'batch c^d.zip?x=^1' 'batch commons/a/a9/Example_(2).jpg'; do
    url="http://127.0.0.1:9/${run#* }" name=${run##*[ /]}
    name=${name%%\?*}
    start_korvo "/#e=${run%% *}" "$url"
    wait_menu
    if [ "${run%% *}" = getter ]; then keys Return; else keys Down Return; fi
    assert_exit_zero
    n=$((n + 2))
    wait_record $n
    if [ "${run%% *}" = getter ]; then assert_args -P 'C:\' "$url" -o "C:\\${name/:/_}"; else assert_args -o "$FIXTURE_WIN\\Tom&Jerry\\${name/>/_}" "$url"; fi
done
assert_eq "$(find "$FIXTURE" -name 'inj*')" "" "files an injected command made"
for url in 'http://127.0.0.1:9/%CD%B1.zip' 'http://127.0.0.1:9/a.zip?p=%PROMPT%'; do
    start_korvo '/#e=batch' "$url"
    wait_menu
    keys Down Return
    expect_box "エラー" "コマンドラインにコマンドプロンプトが書き換える %名前% があるため、バッチファイルを起動しません。"
done
assert_not_started $n
pass
