#!/usr/bin/env bash
# Takes the README's pictures under Wine, with the prefix's Japanese fonts:
#   scripts/screenshots.sh            (after scripts/build.sh win) writes docs/images/*.png
# Each picture is one step of a real run, driven as the e2e scenarios drive Korvo, cut to the
# window it shows with a small margin of the desktop around it.
. "$(dirname "$0")/../tests/e2e/lib.sh"
. "$E2E_ROOT/tests/e2e/download_lib.sh"
. "$E2E_ROOT/tests/e2e/exec_lib.sh"
. "$E2E_ROOT/tests/e2e/clipboard_lib.sh"

OUT=$E2E_ROOT/docs/images
mkdir -p "$OUT"

# shoot NAME "LEFT TOP RIGHT BOTTOM"...: the screen cut to the rectangles' union, 12 px around it.
shoot() {
    local name=$1 left=100000 top=100000 right=0 bottom=0 l t r b
    shift
    for rect in "$@"; do
        read -r l t r b <<<"$rect"
        ((l < left)) && left=$l
        ((t < top)) && top=$t
        ((r > right)) && right=$r
        ((b > bottom)) && bottom=$b
    done
    left=$((left > 12 ? left - 12 : 0))
    top=$((top > 12 ? top - 12 : 0))
    sleep 0.4  # let the window finish painting
    import -window root -crop "$((right + 12 - left))x$((bottom + 12 - top))+$left+$top" +repage \
        "$OUT/$name.png" || fail "could not take $name.png"
    e2e_note "$OUT/$name.png"
}

# The menu with a group open.
fixture
mkdir -p "$FIXTURE"/{downloads,music,video,archive/2026,archive/old}
write_ini "$FIXTURE/Korvo.ini" <<INI
[dir]
$FIXTURE_WIN\\downloads | ダウンロード
$FIXTURE_WIN\\music | 音楽
$FIXTURE_WIN\\video | 動画
+
{アーカイブ
$FIXTURE_WIN\\archive\\2026 | 2026年
$FIXTURE_WIN\\archive\\old | 古いもの
}
%end
INI
start_korvo '/#m=60,60' http://127.0.0.1:9/files/report.pdf
wait_menu
keys Down Down Down Right
sleep 0.3
mapfile -t rects < <(inspect menu-rects --timeout 10)
[ "${#rects[@]}" -ge 2 ] || fail "the group did not open"
shoot menu "${rects[@]}"
keys Escape Escape Escape
wait_exit

# The file-name box of a program whose template asks for the name.
exec_fixture '-o "%P%$K" %L'
start_korvo '/#e=getter' '/#m=60,60' http://127.0.0.1:9/pub/setup-1.2.zip
wait_menu
keys Return
wait_box
shoot file-name-box "$(inspect rect --class '#32770' --timeout 5)"
keys Escape
wait_exit

# The folder browser of a clipboard run with /#0.
download_fixture
set_clipboard "http://127.0.0.1:9/files/photos.zip"
list_fixture_folders
start_korvo /#c /#0
wait_browser "$SCENARIO"
shoot folder-browser "$(inspect rect --title "$BROWSER_TITLE" --timeout 5)"
keys Escape
wait_exit

# The progress window of a download that takes a few seconds.
download_fixture
loopback_fault slow
start_korvo '/#m=60,60' "${SERVER_URL}dataset-2026.tar.gz"
wait_menu
keys Return
inspect wait-window --class KorvoProgress --timeout 5 >/dev/null || fail "no progress window"
sleep 1
progress_rect=$(inspect rect --class KorvoProgress --timeout 5)
shoot progress-window "$progress_rect"
read -r left top _ _ <<<"$progress_rect"
keys "click:$((left + 30)),$((top + 40))" Escape  # the window takes keys once clicked into
wait_exit

# A failed download's message box.
download_fixture
loopback_serve http "$SITE"
start_korvo '/#m=60,60' "${SERVER_URL}missing.zip"
wait_menu
keys Return
read_box 20
shoot message-box "$(inspect rect --class '#32770' --timeout 5)"
press_ok
wait_exit
pass
