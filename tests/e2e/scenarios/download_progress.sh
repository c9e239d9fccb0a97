#!/usr/bin/env bash
# A download still running after a second shows its progress window where the menu was: the file
# name and numbers that move on a 20 KB/s link, a title with the percent and the name, and a
# taskbar button of its own. The keyboard is back in the user's window without a click: the
# progress window does not take it, and a Space typed there does not cancel. Escape, once the user
# has clicked into the window, cancels at once, leaving nothing, with no message and exit code 0;
# Korvo's process killed from outside leaves nothing either. A quick download shows no window.
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/../download_lib.sh"

PROGRESS=KorvoProgress
progress_text() { inspect item --class "$PROGRESS" --id "$1" --timeout 5; }

download_fixture
loopback_fault slow
probe_window Elsewhere 700 500 300 200 40
start_korvo '/#m=200,150' "${SERVER_URL}big.iso"
wait_menu
keys Return
inspect wait-window --class "$PROGRESS" --timeout 5 >/dev/null || fail "no progress window"
read -r left top _ _ <<<"$(inspect rect --class "$PROGRESS" --timeout 5)"
assert_eq "$left,$top" "200,150" "the window's place (the menu's point)"
assert_eq "$(progress_text 101)" big.iso "file name"
title=$(inspect wait-window --class "$PROGRESS" --timeout 5 | cut -f2)
[[ "$title" =~ ^[0-9]+%\ –\ big\.iso$ ]] || fail "the title '$title' does not say what and how far"
read -r owned exstyle <<<"$(inspect owner-style --class "$PROGRESS" --timeout 5)"
[ "$owned" = 0 ] || [ $((exstyle & 0x40000)) != 0 ] || fail "owned, without WS_EX_APPWINDOW: no taskbar button"
[ $((exstyle & 0x80)) = 0 ] || fail "the progress window is a tool window"
first=$(progress_text 104)
sleep 1
second=$(progress_text 104)
e2e_note "status: '$first' then '$second'"
[ -n "$second" ] && [ "$first" != "$second" ] || fail "the status did not change"
case "$(inspect foreground)" in *Elsewhere*) ;; *) fail "the keyboard is not back in the user's window" ;; esac
keys Space
sleep 0.5
kill -0 "$KORVO_PID" 2>/dev/null || fail "a Space typed in another window ended the download"
keys "click:$((left + 30)),$((top + 40))" Escape
wait_exit 5
assert_eq "$KORVO_EXIT" 0 "exit code after Cancel"
inspect box --timeout 0.5 >/dev/null && fail "a message box was shown after Cancel"
assert_folder_holds "$DEST"

# Ended from outside (Task Manager, a crash) during the download, Korvo leaves the folder as it was.
echo mine >"$DEST/big.iso"
pick_destination "${SERVER_URL}big.iso"
inspect wait-window --class "$PROGRESS" --timeout 5 >/dev/null || fail "no progress window"
[ "$(ls -A "$DEST" | wc -l)" = 2 ] || fail "no temporary file beside big.iso during the download"
kill -KILL $(pgrep -P "$KORVO_PID")
wait_exit 5 2>/dev/null  # not the shell's word that it was killed
sleep 2
assert_folder_holds "$DEST" big.iso

http_server "$SITE"
head -c 100000 /dev/urandom >"$SITE/small.zip"
pick_destination "${HTTP_URL}small.zip"
assert_exit_zero
grep -q "$PROGRESS" <(inspect list) && fail "a quick download showed the progress window"
assert_same_file "$SITE/small.zip" "$DEST/small.zip"
pass
