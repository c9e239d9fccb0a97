#!/usr/bin/env bash
# Folder lines with placeholders: a user parameter with a dated folder under it and the program's
# own folder give menu items once "@param" is present; without it the same lines name no folder.
# A UTF-8 configuration, with and without its byte-order mark, offers folders beyond code page
# 932, one of them through a special folder whose path holds "ë": each receives the file. A code
# page 932 file naming "ﾗｼﾞｵ" is valid UTF-8 by chance: read as the folder exists, it receives it.
. "$(dirname "$0")/../lib.sh"

fixture
dated=$(date +%Y-%m)
mkdir -p "$FIXTURE/site" "$FIXTURE/load/$dated" "$FIXTURE/saved"
echo "placeholder test" >"$FIXTURE/site/note.txt"
loopback_serve http "$FIXTURE/site"

folders() {  # the [dir] section, the same with and without "@param"
    cat <<INI
[dir]
%dl%\\%4y%-%0m% | 日付 (&D)
%ins_Korvo%\\%sub%
%Windows%\\no such folder | Never
%end
INI
}
{
    printf '[system]\n@param\n%%dl%% | %s\\load\n%%sub%% | saved\n%%end\n' "$FIXTURE_WIN"
    folders
} | write_ini "$FIXTURE/Korvo.ini"

start_korvo "${SERVER_URL}note.txt"
wait_menu
keys Return
assert_exit_zero
assert_same_file "$FIXTURE/site/note.txt" "$FIXTURE/load/$dated/note.txt"

start_korvo "${SERVER_URL}note.txt"
wait_menu
keys Down Return
assert_exit_zero
assert_same_file "$FIXTURE/site/note.txt" "$FIXTURE/saved/note.txt"

# Without "@param" nothing expands: no folder item is inserted at all.
{
    printf '[system]\n%%dl%% | %s\\load\n%%end\n' "$FIXTURE_WIN"
    folders
} | write_ini "$FIXTURE/Korvo.ini"
KORVO_WINEDEBUG="-all,+menu" start_korvo "${SERVER_URL}note.txt"
wait_menu
keys Escape
assert_exit_zero
[ "$(menu_trace_count 7d0)" = 0 ] || fail "a folder item was inserted without @param"
grep -qiE 'id 0*a5a' "$KORVO_STDERR" || fail "the +menu trace shows no tail item: cannot judge"

shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
music=$(e2e_tool 30 reg query "$shell_folders" /v 'My Music' | tr -d '\r' | sed -n 's/.*REG_EXPAND_SZ *//p')
e2e_tool 30 reg add "$shell_folders" /v 'My Music' /t REG_EXPAND_SZ /d 'C:\users\Zoë\Music' /f >/dev/null
zoe=$WINEPREFIX/drive_c/users/Zoë/Music/Downloads
mkdir -p "$FIXTURE/Zoë/Downloads" "$FIXTURE/다운로드" "$zoe"
for bom in "" --bom; do
    printf '[system]\n@param\n%%end\n[dir]\n%s\\Zoë\\Downloads\n%s\\다운로드 | 한국어\n%%My Music%%\\Downloads\n%%end\n' \
        "$FIXTURE_WIN" "$FIXTURE_WIN" | write_utf8_ini "$FIXTURE/Korvo.ini" $bom
    for pick in "Return|$FIXTURE/Zoë/Downloads" "Down Return|$FIXTURE/다운로드" "Down Down Return|$zoe"; do
        start_korvo "${SERVER_URL}note.txt"
        wait_menu
        keys ${pick%%|*}
        assert_exit_zero
        assert_same_file "$FIXTURE/site/note.txt" "${pick#*|}/note.txt"
        rm -f "${pick#*|}/note.txt"
    done
done
mkdir -p "$FIXTURE/ﾗｼﾞｵ"
printf '[dir]\n%s\\ﾗｼﾞｵ\n%%end\n' "$FIXTURE_WIN" | write_ini "$FIXTURE/Korvo.ini"
start_korvo "${SERVER_URL}note.txt"
wait_menu
keys Return
assert_exit_zero
assert_same_file "$FIXTURE/site/note.txt" "$FIXTURE/ﾗｼﾞｵ/note.txt"
[ -z "$music" ] || e2e_tool 30 reg add "$shell_folders" /v 'My Music' /t REG_EXPAND_SZ /d "$music" /f >/dev/null
pass
