# Sourced, not run: the Wine environment of Korvo's tests and of korvo.sh.
#   . scripts/wine-env.sh
#   korvo_wine_up [--own-display]   Xvfb when needed, the private prefix, a warm wineserver
#   korvo_wine_down                 ends what korvo_wine_up started, by PID, and the prefix's server
# Everything lives in build/: the prefix is build/wineprefix (or $KORVO_WINEPREFIX), made once.

KORVO_ROOT=${KORVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export KORVO_ROOT
export WINEPREFIX=${KORVO_WINEPREFIX:-$KORVO_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
# Wine takes its ANSI code page from the locale: ja_JP gives 932, LC_ALL=C anywhere would give 1252.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko prompts, no .desktop files written into the host's home.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"

KORVO_XVFB_PID=""
KORVO_SERVER_STARTED=""
KORVO_SERVER_REUSED=""

korvo_log() { echo "[wine-env] $*" >&2; }

# Starts Xvfb on a display no one uses; Xvfb itself picks it (-displayfd) so two runs never collide.
korvo_start_xvfb() {
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac 3>"$numberFile" >/dev/null 2>&1 &
    KORVO_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        if [ -s "$numberFile" ]; then break; fi
        if ! kill -0 "$KORVO_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    local number
    number=$(tr -dc '0-9' <"$numberFile")
    rm -f "$numberFile"
    if [ -z "$number" ]; then
        korvo_log "Xvfb did not start"
        KORVO_XVFB_PID=""
        return 1
    fi
    export DISPLAY=":$number"
    korvo_log "Xvfb on $DISPLAY (pid $KORVO_XVFB_PID)"
}

korvo_write_prefix_reg() {
    # Japanese fonts instead of empty boxes; Managed=N, because without a window manager Wine
    # otherwise waits 2 s whenever a dialog or message box closes.
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"MS UI Gothic"="IPAPGothic"' \
        '"MS Gothic"="IPAGothic"' \
        '"MS PGothic"="IPAPGothic"' \
        '"Meiryo UI"="IPAPGothic"' \
        '"Yu Gothic UI"="IPAPGothic"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
        '"Managed"="N"' '' >"$1"
}

# A new prefix links the user's Desktop, Documents, Downloads... to the Unix home folder, so a
# download into one of them would land in the home of whoever runs Korvo: real folders inside the
# prefix take their place (only the links go, never what they point to).
korvo_own_shell_folders() {
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        [ -L "$link" ] || continue
        rm -f "$link" && mkdir -p "$link"
    done
}

# Wine draws the title bar's buttons with its Marlett font, and with the letter "r" in a text font
# when it cannot find it. This Wine reads fonts from fontconfig's folders and the prefix's
# C:\windows\Fonts only, and fonts-wine's files are in neither: the prefix gets its own copy.
korvo_install_marlett() {
    local font=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$font" ] && [ ! -f "$fonts/marlett.ttf" ] || return 0
    mkdir -p "$fonts" && cp "$font" "$fonts/"
}

korvo_prefix_settle() {
    korvo_own_shell_folders
    korvo_install_marlett
}

# Creates the prefix once; the marker says it was finished, so a half-made prefix is made again.
korvo_prefix_up() {
    if [ -f "$WINEPREFIX/.korvo-ready" ]; then
        korvo_prefix_settle
        return 0
    fi
    korvo_log "creating the Wine prefix $WINEPREFIX"
    # A half-made prefix may still have its server running: end it before the files go.
    if korvo_server_pid >/dev/null; then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 300 wineboot -i >/dev/null 2>&1 || { korvo_log "wineboot failed"; return 1; }
    local reg="$WINEPREFIX.reg"  # one per prefix: two prefixes may be made at once
    korvo_write_prefix_reg "$reg"
    timeout 120 wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1 \
        || { korvo_log "regedit failed"; return 1; }
    # Let the server write the registry to disk before anyone copies or reuses the prefix.
    timeout 120 wineserver -w >/dev/null 2>&1 || true
    korvo_prefix_settle
    touch "$WINEPREFIX/.korvo-ready"
}

# The PID of the wineserver that serves this prefix, if one runs. A server works in a folder named
# after the prefix's device and inode (.../server-DEV-INODE, both in hexadecimal) under a temporary
# folder whose name varies.
korvo_server_pid() {
    [ -d "$WINEPREFIX" ] || return 1
    local folder pid
    folder=$(printf '/server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for pid in $(pgrep -u "$(id -u)" wineserver); do
        if [[ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" == *"$folder" ]]; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# Keeps the server alive between programs: a scenario then takes under a second instead of two.
# A server of the prefix may already be running: left from an interrupted run, or ./korvo.sh beside
# the tests. Then the programs use that one, and korvo_wine_down leaves it alone; a server that
# is on its way out is waited for, and a new one started.
korvo_server_up() {
    local i pid
    for i in $(seq 1 50); do
        if wineserver -p >/dev/null 2>&1; then
            KORVO_SERVER_STARTED=1
            KORVO_SERVER_REUSED=""
            return 0
        fi
        if pid=$(korvo_server_pid); then
            if [ -z "${KORVO_SERVER_REUSED:-}" ]; then korvo_log "using the prefix's running wineserver (pid $pid)"; fi
            KORVO_SERVER_REUSED=$pid
            # A server that was told to end holds its lock a little longer: give it a moment.
            [ "$i" -lt 5 ] || return 0
        fi
        sleep 0.2
    done
    if [ -n "${KORVO_SERVER_REUSED:-}" ] && kill -0 "$KORVO_SERVER_REUSED" 2>/dev/null; then return 0; fi
    korvo_log "no wineserver could be started for $WINEPREFIX"
    return 1
}

korvo_wine_up() {
    if [ "${1:-}" = "--own-display" ] || [ -z "${DISPLAY:-}" ]; then
        korvo_start_xvfb || return 1
    fi
    korvo_prefix_up || return 1
    korvo_server_up
}

# Ends the prefix's Wine processes (only this prefix's) and the Xvfb we started, by PID. A server
# that was already running when korvo_wine_up came belongs to someone else: it stays.
korvo_wine_down() {
    if [ -n "$KORVO_SERVER_STARTED" ]; then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi
    KORVO_SERVER_STARTED=""
    KORVO_SERVER_REUSED=""
    if [ -n "$KORVO_XVFB_PID" ]; then
        kill "$KORVO_XVFB_PID" 2>/dev/null || true
        wait "$KORVO_XVFB_PID" 2>/dev/null || true
        KORVO_XVFB_PID=""
    fi
}
