# Sourced after lib.sh by the scenarios of clipboard runs and the folder browser.

# set_clipboard TEXT: the clipboard's Unicode text, set from inside Wine as another program would;
# TEXT is UTF-8 and may hold line ends.
set_clipboard() {
    local file=$FIXTURE.clip.txt
    printf '%s' "$1" >"$file"
    e2e_tool 20 "$KORVO_TOOLS/clip.exe" --file "$(winepath -w "$file" 2>/dev/null)" >/dev/null \
        || fail "could not set the clipboard"
}

BROWSER_TITLE="フォルダーの参照"
# The browser's hidden edit control holding the selected folder's display name.
BROWSER_SELECTION_ID=14149

# wait_browser EXPECTED: waits for the folder browser with the folder named EXPECTED selected (the
# selection moves there after the browser appears); BROWSER_TEXTS gets its controls' texts.
wait_browser() {
    local deadline=$((SECONDS + 30)) left
    while left=$((deadline - SECONDS)); [ "$left" -gt 0 ]; do
        BROWSER_TEXTS=$(inspect dialog-items --title "$BROWSER_TITLE" --timeout "$left")
        BROWSER_SELECTION=$(printf '%s\n' "$BROWSER_TEXTS" | sed -n "s/^$BROWSER_SELECTION_ID\t[^\t]*\t//p")
        [ "$BROWSER_SELECTION" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the folder browser did not open with $1 selected within 30s (selection: '$BROWSER_SELECTION'; visible windows: $(inspect list | grep '^visible' | tr '\n\t' '; '))"
}

# Wine's browser selects a path only as far as its folders were listed since they last changed:
# list the fixture and its ancestors, as a user's file manager would have, before it opens.
# Korvo's output files beside the fixture are made first, so that starting it changes no folder
# listed here (its redirections then only truncate them).
list_fixture_folders() {
    local dir=$FIXTURE
    : >>"$FIXTURE.stdout"
    : >>"$FIXTURE.stderr"
    while [ "$dir" != / ]; do
        ls -a "$dir" >/dev/null
        dir=$(dirname "$dir")
    done
}

# assert_browser_titled FILE: the browser asks for a folder for FILE.
assert_browser_titled() {
    printf '%s\n' "$BROWSER_TEXTS" | grep -qF "フォルダを選択してください ： $1" \
        || fail "the browser's title does not name $1: $(printf '%s' "$BROWSER_TEXTS" | tr '\n' '|')"
}

# assert_nothing_downloaded DIR: no file of the run anywhere below DIR, half-written or whole.
assert_nothing_downloaded() {
    local found
    found=$(find "$1" -type f \( -name 'file.zip' -o -name 'kv*.tmp' \) -not -path '*/site/*')
    [ -z "$found" ] || fail "left behind: $found"
}
