# Sourced by every scenario: the steps a user takes with Korvo, as shell functions.
# A scenario runs on its own (bash tests/e2e/scenarios/x.sh) or under run.sh, which prepares
# Wine once for all of them. Everything a scenario starts is ended by PID when it exits.
set -uo pipefail

E2E_ROOT=${KORVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
. "$E2E_ROOT/scripts/wine-env.sh"

KORVO_EXE=${KORVO_EXE:-$E2E_ROOT/build/win/Korvo.exe}
if [ -z "${KORVO_TOOLS:-}" ]; then
    KORVO_TOOLS=$E2E_ROOT/build/win/tools
    [ -x "$KORVO_TOOLS/inject.exe" ] || KORVO_TOOLS=$E2E_ROOT/build/tools/tools
fi

SCENARIO=$(basename "${0%.sh}")
E2E_PIDS=()          # background helpers (servers, probe windows) to end at exit
KORVO_PID=""         # the Korvo run in progress (its wine process, under timeout)
KORVO_EXIT=""        # its exit code once it ended
KORVO_STDERR=""      # what Korvo's process wrote to stderr (Wine traces included)
FIXTURE=""           # Unix path of the scenario's program folder
FIXTURE_WIN=""       # the same as Korvo sees it
E2E_OWN_WINE=""

e2e_note() { echo "  [$SCENARIO] $*"; }

fail() {
    echo "  [$SCENARIO] FAIL: $*"
    exit 1
}

pass() {
    echo "  [$SCENARIO] ok"
    exit 0
}

e2e_cleanup() {
    local pid
    if [ -n "$KORVO_PID" ] && kill -0 "$KORVO_PID" 2>/dev/null; then
        kill "$KORVO_PID" 2>/dev/null
        wait "$KORVO_PID" 2>/dev/null
    fi
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [ -n "$E2E_OWN_WINE" ]; then korvo_wine_down; fi
    rm -f "$E2E_TOOL_OUT" "$E2E_TOOL_ERR"
}
trap e2e_cleanup EXIT
# Ended by run.sh's time limit: still run the clean-up above.
trap 'exit 143' TERM INT

# Run alone, a scenario brings up its own display and server; under run.sh they are already there.
if [ -z "${KORVO_E2E_READY:-}" ]; then
    korvo_wine_up --own-display || fail "Wine could not be prepared"
    E2E_OWN_WINE=1
fi
[ -f "$KORVO_EXE" ] || fail "no $KORVO_EXE: build it first (scripts/build.sh win)"
[ -f "$KORVO_TOOLS/inject.exe" ] || fail "no e2e tools in $KORVO_TOOLS"

# Runs a Wine program of ours in the foreground with a deadline.
e2e_wine() {
    local seconds=$1
    shift
    timeout "$seconds" wine "$@"
}

# What the last tool run wrote: stdout, and stderr (Wine's own complaints included) for failure
# messages.
E2E_TOOL_OUT=$(mktemp)
E2E_TOOL_ERR=$(mktemp)

# e2e_tool SECONDS PROGRAM ARGS...: a Windows program run to its end under a deadline; prints its
# output when it has ended, and leaves what it wrote on stderr in E2E_TOOL_ERR. Now and then (about
# one start in a thousand here, cause unknown) the wine command ends with status 1 within
# milliseconds and writes nothing, before the program has run. Every failure of these programs
# says something, so a silent failure in under a second is such a start: the program is started
# once more.
e2e_tool() {
    local seconds=$1 attempt status start
    shift
    for attempt in 1 2; do
        start=$(date +%s%N)
        e2e_wine "$seconds" "$@" >"$E2E_TOOL_OUT" 2>"$E2E_TOOL_ERR"
        status=$?
        [ "$status" != 0 ] && [ ! -s "$E2E_TOOL_OUT" ] && [ ! -s "$E2E_TOOL_ERR" ] \
            && [ $(($(date +%s%N) - start)) -lt 1000000000 ] || break
        e2e_note "$(basename "$1") $2 ended with $status at once, without a word: started again" >&2
    done
    cat "$E2E_TOOL_OUT"
    return "$status"
}

inject() { e2e_tool 20 "$KORVO_TOOLS/inject.exe" "$@" >/dev/null; }
inspect() { e2e_tool 30 "$KORVO_TOOLS/inspect.exe" "$@" | tr -d '\r'; }

# fixture [PROGRAM.exe]: a fresh program folder holding a copy of Korvo.exe (under another name
# when asked); kept inside the prefix's drive C so that Korvo sees it as C:\e2e\<scenario>.
fixture() {
    local program=${1:-Korvo.exe}
    FIXTURE=$WINEPREFIX/drive_c/e2e/$SCENARIO
    FIXTURE_WIN="C:\\e2e\\$SCENARIO"
    rm -rf "$FIXTURE"
    mkdir -p "$FIXTURE"
    cp "$KORVO_EXE" "$FIXTURE/$program"
    FIXTURE_PROGRAM=$program
}

# write_ini FILE: the configuration from standard input, written as Korvo's users write it:
# code page 932 with CR LF line ends.
write_ini() {
    iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$1" || fail "could not write $1 in code page 932"
}

# write_utf8_ini FILE [--bom]: the same in UTF-8, as current editors save it, with or without a
# byte-order mark.
write_utf8_ini() {
    { [ "${2:-}" = --bom ] && printf '\xEF\xBB\xBF'; sed 's/$/\r/'; } >"$1" || fail "could not write $1"
}

# start_korvo [ARGS...]: starts the fixture's program in the background, in its own folder.
# KORVO_WINEDEBUG (e.g. "-all,+menu") turns Wine traces on for Korvo's process only.
start_korvo() {
    KORVO_STDERR=$FIXTURE.stderr
    KORVO_EXIT=""
    KORVO_ARGS=("$@")
    KORVO_STARTED_WINEDEBUG=${KORVO_WINEDEBUG:-}
    (cd "$FIXTURE" && WINEDEBUG=${KORVO_WINEDEBUG:--all} exec timeout 60 wine "$FIXTURE_WIN\\$FIXTURE_PROGRAM" "$@" \
        >"$FIXTURE.stdout" 2>"$KORVO_STDERR") &
    KORVO_PID=$!
}

# no_menu_within SECONDS: the menu must not open (a run that ends before showing it).
no_menu_within() {
    if inspect wait-window --class '#32768' --timeout "$1" >/dev/null; then fail "a menu opened"; fi
}

# Korvo has ended with status 1, writing nothing: the silent start of e2e_tool, since Korvo itself
# ends with 0 whatever happens.
korvo_start_was_silent() {
    [ -n "$KORVO_PID" ] && ! kill -0 "$KORVO_PID" 2>/dev/null || return 1
    wait "$KORVO_PID"
    [ $? = 1 ] && [ ! -s "$FIXTURE.stdout" ] && [ ! -s "$KORVO_STDERR" ]
}

# wait_menu [SECONDS]: the menu opens within SECONDS (20 by default); a silent start of Korvo is
# started again.
wait_menu() {
    inspect wait-window --class '#32768' --timeout "${1:-20}" >/dev/null && return 0
    local status=$? said state="Korvo has ended"
    if korvo_start_was_silent; then
        e2e_note "Korvo ended with 1 at once, without a word: started again"
        KORVO_WINEDEBUG=$KORVO_STARTED_WINEDEBUG start_korvo "${KORVO_ARGS[@]}"
        inspect wait-window --class '#32768' --timeout "${1:-20}" >/dev/null && return 0
        status=$?
    fi
    # Say what stood there instead, so that a rare failure can be told from the next one.
    said=$(tail -c 300 "$E2E_TOOL_ERR" | tr '\n' ' ')
    if [ -n "$KORVO_PID" ] && kill -0 "$KORVO_PID" 2>/dev/null; then state="Korvo still runs"; fi
    fail "the menu did not open (the wait ended with $status${said:+: $said}; $state; visible windows: $(inspect list | grep '^visible' | tr '\n\t' '; '))"
}

wait_no_menu() {
    inspect wait-gone --class '#32768' --timeout "${1:-10}" >/dev/null || fail "the menu is still open"
}

# Menu geometry under Wine with the prefix's fonts, as measured: a 2-pixel frame, then items of
# 18 pixels (separators 7).
MENU_FRAME=2
MENU_ITEM_HEIGHT=18

# menu_item_point RECT_LINE INDEX: sets ITEM_X ITEM_Y to the middle of string item INDEX (from 0,
# no separator above it) of the menu whose "left top right bottom" is RECT_LINE.
menu_item_point() {
    local left top
    read -r left top _ _ <<<"$1"
    ITEM_X=$((left + 30))
    ITEM_Y=$((top + MENU_FRAME + MENU_ITEM_HEIGHT * $2 + MENU_ITEM_HEIGHT / 2))
}

# menu_rect N: the rectangle of the N-th open menu (1: the top level, 2: the submenu open in it).
menu_rect() {
    local rect
    rect=$(inspect menu-rects --timeout 10 | sed -n "${1}p")
    [ -n "$rect" ] || fail "menu $1 is not open"
    printf '%s\n' "$rect"
}

# keys KEY...: what the user types while the menu or a dialog has the focus.
keys() { inject "$@" || fail "could not send keys $*"; }

# wait_exit [SECONDS]: synchronise on the process, not on its windows.
wait_exit() {
    local seconds=${1:-20} i
    for i in $(seq 1 $((seconds * 10))); do
        kill -0 "$KORVO_PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$KORVO_PID" 2>/dev/null; then
        kill "$KORVO_PID" 2>/dev/null
        wait "$KORVO_PID" 2>/dev/null
        KORVO_PID=""
        fail "Korvo was still running after ${seconds}s"
    fi
    wait "$KORVO_PID"
    KORVO_EXIT=$?
    KORVO_PID=""
}

assert_exit_zero() {
    wait_exit "${1:-20}"
    [ "$KORVO_EXIT" = 0 ] || fail "Korvo's exit code was $KORVO_EXIT, not 0"
}

assert_file() { [ -f "$1" ] || fail "expected the file $1"; }
assert_no_file() { [ ! -e "$1" ] || fail "did not expect $1"; }
assert_same_file() { cmp -s "$1" "$2" || fail "$2 differs from $1"; }
assert_eq() { [ "$1" = "$2" ] || fail "${3:-value}: expected '$2', got '$1'"; }

# read_box [SECONDS]: waits for a dialog or message box and reads it into BOX_CAPTION and BOX_TEXT.
read_box() {
    local out
    out=$(inspect box --timeout "${1:-15}") || fail "no message box appeared"
    BOX_CAPTION=$(printf '%s\n' "$out" | sed -n 1p)
    BOX_TEXT=$(printf '%s\n' "$out" | sed -n '2,$p')
}

press_ok() { inspect press-ok --timeout "${1:-5}" >/dev/null || fail "no dialog to press OK on"; }

# A window of our own, in the foreground, where and as long as we say: the "other program".
# probe_window TITLE X Y W H [SECONDS]
probe_window() {
    # Started directly, not through a shell function: $! must be the process that ends the window
    # at clean-up. A window left behind from one scenario would close itself in the middle of a
    # later one, taking the foreground from its menu.
    timeout "$((${6:-30} + 10))" wine "$KORVO_TOOLS/inspect.exe" window --title "$1" --rect "$2" "$3" "$4" "$5" \
        --seconds "${6:-30}" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    inspect wait-window --title "$1" --timeout 15 >/dev/null || fail "the probe window $1 did not appear"
}

# http_server FOLDER: serves FOLDER on loopback; sets HTTP_PORT and HTTP_URL (with a trailing /).
http_server() {
    loopback_serve http "$1"
    HTTP_PORT=$SERVER_PORT
    HTTP_URL=$SERVER_URL
}

# background_server COMMAND...: any other loopback server (a fault injector, FTP, TLS), ended at exit.
background_server() {
    "$@" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
}

# menu_trace_count ID_HEX: how often Wine's +menu trace shows an item with that command id
# inserted (InsertMenu/AppendMenu lines; ids 2000 + i print as 07d0 + i).
menu_trace_count() {
    grep -E 'InsertMenu|AppendMenu' "$KORVO_STDERR" | grep -ciE "id 0*$1\b" || true
}

# Waits for a server to write its port into FILE (it does so once listening); sets SERVER_PORT.
# No probe connection: a fault server may serve only the one connection that Korvo makes.
wait_port_file() {
    local file=$1 i
    for i in $(seq 1 100); do
        if [ -s "$file" ]; then
            SERVER_PORT=$(cat "$file")
            return 0
        fi
        sleep 0.1
    done
    fail "the loopback server did not start"
}

# loopback_serve http|https|ftp FOLDER [--cert PEM --key PEM]: tests/e2e/servers/serve.py on 127.0.0.1;
# sets SERVER_PORT and SERVER_URL (scheme://127.0.0.1:port/).
loopback_serve() {
    local kind=$1 folder=$2
    shift 2
    local portFile
    portFile=$(mktemp -u "$FIXTURE.port.XXXX")
    background_server /usr/bin/python3 "$E2E_ROOT/tests/e2e/servers/serve.py" "$kind" "$folder" \
        --port-file "$portFile" --lifetime 120 "$@"
    wait_port_file "$portFile"
    SERVER_URL="$kind://127.0.0.1:$SERVER_PORT/"
}

# loopback_fault MODE: tests/e2e/servers/fault_server.py; sets SERVER_PORT and SERVER_URL (http://...).
loopback_fault() {
    local portFile
    portFile=$(mktemp -u "$FIXTURE.port.XXXX")
    background_server /usr/bin/python3 "$E2E_ROOT/tests/e2e/servers/fault_server.py" "$1" \
        --port-file "$portFile" --lifetime 120
    wait_port_file "$portFile"
    SERVER_URL="http://127.0.0.1:$SERVER_PORT/"
}
