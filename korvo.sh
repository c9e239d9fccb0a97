#!/usr/bin/env bash
# Runs Korvo under Wine:  ./korvo.sh [--pick KEYS] [--shot FILE] [Korvo's arguments]
#   ./korvo.sh http://127.0.0.1:8000/file.zip
#   ./korvo.sh --pick "Down Return" http://127.0.0.1:8000/file.zip
# Installs what is missing, builds Korvo.exe, puts the sample Korvo.ini beside it when there is none,
# and starts it. Without $DISPLAY it runs in a private Xvfb: it waits for the menu, saves a
# screenshot (build/korvo-shot.png or --shot FILE), then types --pick KEYS (Escape when none is
# given) so that the run ends by itself. Prints Korvo's exit code and exits with it.
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

scripts/install-deps.sh || exit 1
mkdir -p build
scripts/build.sh win >build/korvo-build.log 2>&1 || { tail -40 build/korvo-build.log; echo "build failed"; exit 1; }
[ -f build/win/Korvo.ini ] || cp src/resources/Korvo.ini build/win/Korvo.ini

. scripts/wine-env.sh
headless=""
[ -n "${DISPLAY:-}" ] || headless=1
trap korvo_wine_down EXIT
korvo_wine_up || exit 1

TOOLS=build/win/tools
(cd build/win && exec wine Korvo.exe "$@") &
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
echo "Korvo exit code: $code"
exit "$code"
