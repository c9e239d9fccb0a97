#!/usr/bin/env bash
# Runs Korvo under Wine:  ./korvo.sh [--pick KEYS] [--shot FILE] [Korvo's arguments]
#   ./korvo.sh                                   the demo: the whole job on a sample file
#   ./korvo.sh http://127.0.0.1:8000/file.zip
#   ./korvo.sh --pick "Down Return" http://127.0.0.1:8000/file.zip
# Installs what is missing, builds Korvo.exe, puts the sample Korvo.ini beside it when there is none,
# and starts it. Without $DISPLAY it runs in a private Xvfb: it waits for the menu, saves a
# screenshot (build/korvo-shot.png or --shot FILE), then types --pick KEYS (Escape when none is
# given) so that the run ends by itself. Prints Korvo's exit code and exits with it.
#
# With no argument for Korvo it shows the whole job: it serves a sample file from 127.0.0.1, starts
# Korvo on its URL with the sample configuration (in C:\korvo-demo of the prefix), picks the first
# folder of the menu, and prints where the file landed, with its checksum.
set -uo pipefail
cd "$(dirname "$0")"
ROOT=$PWD

pick=""
shot=""
while [ $# -gt 0 ]; do
    case "$1" in
    --pick) pick=$2; shift 2 ;;
    --shot) shot=$2; shift 2 ;;
    *) break ;;
    esac
done
demo=""
[ $# -gt 0 ] || demo=1

scripts/install-deps.sh || exit 1
mkdir -p build
scripts/build.sh win >build/korvo-build.log 2>&1 || { tail -40 build/korvo-build.log; echo "build failed"; exit 1; }
[ -f build/win/Korvo.ini ] || cp src/resources/Korvo.ini build/win/Korvo.ini

# A Wine prefix of its own, so that a run beside the tests neither sees their windows nor shows
# them its own.
export KORVO_WINEPREFIX=${KORVO_WINEPREFIX:-$ROOT/build/wineprefix-run}
. scripts/wine-env.sh
headless=""
[ -n "${DISPLAY:-}" ] || headless=1
server=""
end_run() {
    if [ -n "$server" ]; then kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; fi
    korvo_wine_down
}
trap end_run EXIT
korvo_wine_up || exit 1

TOOLS=build/win/tools
program_folder=$ROOT/build/win
if [ -n "$demo" ]; then
    # A fresh program folder with the sample configuration, whatever build/win/Korvo.ini says.
    program_folder=$WINEPREFIX/drive_c/korvo-demo
    rm -rf "$program_folder"
    mkdir -p "$program_folder/site"
    cp build/win/Korvo.exe src/resources/Korvo.txt src/resources/Korvo.ini "$program_folder/"
    # A new name on every run, so that the file is found wherever the first folder is.
    sample=korvo-demo-$(date +%Y%m%d-%H%M%S).bin
    head -c 262144 /dev/urandom >"$program_folder/site/$sample"
    port_file=$program_folder/port
    /usr/bin/python3 tests/e2e/servers/serve.py http "$program_folder/site" --port-file "$port_file" \
        --lifetime 120 >/dev/null 2>&1 &
    server=$!
    for _ in $(seq 1 100); do [ -s "$port_file" ] && break; sleep 0.1; done
    [ -s "$port_file" ] || { echo "demo: the loopback server did not start"; exit 1; }
    url=http://127.0.0.1:$(cat "$port_file")/$sample
    echo "demo: serving $sample ($(stat -c %s "$program_folder/site/$sample") bytes) at $url"
    set -- "$url"
    pick=${pick:-Return}
    shot=${shot:-$ROOT/build/korvo-shot.png}
fi

(cd "$program_folder" && exec wine Korvo.exe "$@") &
korvo=$!

if [ -n "$headless" ] || [ -n "$pick" ] || [ -n "$shot" ]; then
    # The menu, or a message box when Korvo has something to say first.
    seen=$(timeout 40 wine "$TOOLS/inspect.exe" wait-window --class '#32768' --class '#32770' --timeout 30 2>/dev/null | tr -d '\r')
    if [ -n "$seen" ]; then
        sleep 0.3  # let the menu finish painting before the picture is taken
        if [ -n "$headless" ] || [ -n "$shot" ]; then
            shot=${shot:-$ROOT/build/korvo-shot.png}
            import -window root "$shot" && echo "screenshot: $shot"
        fi
        if [ -n "$pick" ]; then
            # shellcheck disable=SC2086  # KEYS is a list of key names
            timeout 30 wine "$TOOLS/inject.exe" $pick >/dev/null 2>&1
            # The demo's first item may be a group: Return opens it, the next Return picks its first folder.
            for _ in 1 2 3; do
                [ -n "$demo" ] && kill -0 "$korvo" 2>/dev/null || break
                timeout 20 wine "$TOOLS/inspect.exe" wait-gone --class '#32768' --timeout 2 >/dev/null 2>&1 && break
                timeout 30 wine "$TOOLS/inject.exe" Return >/dev/null 2>&1
            done
        elif [ -n "$headless" ] && [ "${seen#\#32768}" != "$seen" ]; then
            timeout 30 wine "$TOOLS/inject.exe" Escape >/dev/null 2>&1
        fi
    fi
fi

# Headless, nobody else can answer a message box (a failed download, the version box): read it
# out, press OK, and do not wait for ever on a window that stays open.
if [ -n "$headless" ]; then
    deadline=$((SECONDS + 90))
    while kill -0 "$korvo" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
        box=$(timeout 20 wine "$TOOLS/inspect.exe" box --timeout 0.5 2>/dev/null | tr -d '\r')
        if [ -n "$box" ] && [ "${box#inspect:}" = "$box" ]; then
            echo "Korvo says: $(printf '%s' "$box" | tr '\n' ' ')"
            timeout 20 wine "$TOOLS/inspect.exe" press-ok >/dev/null 2>&1
        fi
        sleep 0.2
    done
    kill -0 "$korvo" 2>/dev/null && { echo "Korvo is still waiting for input; ending it"; kill "$korvo"; }
fi
wait "$korvo"
code=$?

if [ -n "$demo" ]; then
    # Wherever the first folder is (a fixed path, the desktop, a dated folder...): find the file by
    # its name in the prefix, whose shell folders are its own (scripts/wine-env.sh).
    landed=$(find "$WINEPREFIX/drive_c" -maxdepth 8 -name "$sample" -type f ! -path "$program_folder/site/*" \
        2>/dev/null | head -1)
    served=$(sha256sum <"$program_folder/site/$sample" | cut -d' ' -f1)
    if [ -z "$landed" ]; then
        echo "demo: the file did not arrive anywhere"
        [ "$code" != 0 ] || code=1
    else
        echo "demo: the file landed in $landed"
        echo "demo:   as Korvo sees it: $(winepath -w "$landed" 2>/dev/null)"
        got=$(sha256sum <"$landed" | cut -d' ' -f1)
        if [ "$got" = "$served" ]; then
            echo "demo:   sha256 $got, the same as served"
        else
            echo "demo:   sha256 $got, NOT the served $served"
            [ "$code" != 0 ] || code=1
        fi
    fi
fi
echo "Korvo exit code: $code"
exit "$code"
