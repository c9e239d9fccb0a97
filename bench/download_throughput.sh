#!/usr/bin/env bash
# Download throughput and memory: Korvo under Wine against curl on the same machine, in the same
# rounds, from the same loopback HTTP server; and WinINet alone, with and without the cache flags
# and the paced reads.
#
#   bench/download_throughput.sh [SIZE_MB] [RUNS]      (defaults: 100 MB, 5 runs)
#
# Needs the Windows build (scripts/build.sh). Prints every round, then medians and ratios; asserts
# nothing.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SIZE_MB=${1:-100}
RUNS=${2:-5}
. "$ROOT/scripts/wine-env.sh"
trap 'kill $SERVER_PID 2>/dev/null || true; korvo_wine_down' EXIT
korvo_wine_up --own-display

WORK=$WINEPREFIX/drive_c/bench
rm -rf "$WORK"
mkdir -p "$WORK/site" "$WORK/dest" "$WORK/curl"
cp "$ROOT/build/win/Korvo.exe" "$WORK/"
printf '[dir]\r\nC:\\bench\\dest\r\n%%end\r\n' >"$WORK/Korvo.ini"
head -c "$((SIZE_MB * 1000000))" /dev/urandom >"$WORK/site/big.bin"
: >"$WORK/site/empty.bin"

PORT_FILE=$WORK/port
/usr/bin/python3 "$ROOT/tests/e2e/servers/serve.py" http "$WORK/site" --port-file "$PORT_FILE" \
    --lifetime 1200 >/dev/null 2>&1 &
SERVER_PID=$!
for _ in $(seq 1 100); do [ -s "$PORT_FILE" ] && break; sleep 0.1; done
URL=http://127.0.0.1:$(cat "$PORT_FILE")
TOOLS=$ROOT/build/win/tools

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
now() { date +%s.%N; }
calc() { awk "BEGIN {print $1}"; }

# One Korvo run: start, wait for the menu, pick the folder, wait for the exit. Prints the seconds
# from start to exit, the peak resident size of its process in KiB, the seconds from the pick (the
# clock the injector reads inside Wine just before it sends Return) to the file under its final
# name (the time of the rename, which is the last change of the destination folder), and from the
# pick to the last byte written (the file's own time).
korvo_run() {
    local file=$1 start pid peak=0 hwm picked renamed written
    rm -f "$WORK/dest/$file"
    start=$(now)
    (cd "$WORK" && exec wine 'C:\bench\Korvo.exe' "$URL/$file" >/dev/null 2>&1) &
    pid=$!
    timeout 30 wine "$TOOLS/inspect.exe" wait-window --class '#32768' --timeout 20 >/dev/null 2>&1
    picked=$(timeout 10 wine "$TOOLS/inject.exe" time Return 2>/dev/null | tr -d '\r' | head -1)
    while kill -0 "$pid" 2>/dev/null; do
        for p in $(pgrep -f 'bench.Korvo.exe' || true); do
            hwm=$(awk '/VmHWM/ {print $2}' "/proc/$p/status" 2>/dev/null || echo 0)
            [ "${hwm:-0}" -gt "$peak" ] && peak=$hwm
        done
        sleep 0.05
    done
    wait "$pid" || true
    renamed=$(stat -c %.9Y "$WORK/dest" 2>/dev/null || now)
    written=$(stat -c %.9Y "$WORK/dest/$file" 2>/dev/null || now)
    echo "$(calc "$(now) - $start") $peak $(calc "$renamed - $picked") $(calc "$written - $picked")"
}

# curl's whole fetch, from its start to its exit, into the same kind of folder.
curl_run() {
    local start
    rm -f "$WORK/curl/big.bin"
    start=$(now)
    curl -s -o "$WORK/curl/big.bin" "$URL/big.bin"
    calc "$(now) - $start"
}

echo "file: $SIZE_MB MB over HTTP from 127.0.0.1; $RUNS rounds, curl and Korvo in turn in each"
# Fetches right after the file was written run while the system is still writing it out: shown,
# never counted.
printf 'curl just after the file was written: %.3f s, %.3f s\n' "$(curl_run)" "$(curl_run)"

# The fixed cost of a Korvo run (Wine start-up, menu, pick, exit) with an empty file, so the
# transfer itself can be told apart from it; and the pick to a 1 MB file in place.
empty_times=()
for _ in $(seq 1 "$RUNS"); do empty_times+=("$(korvo_run empty.bin | cut -d' ' -f1)"); done
empty_median=$(printf '%s\n' "${empty_times[@]}" | median)
head -c 1000000 /dev/urandom >"$WORK/site/one.bin"
one_picks=()
for _ in $(seq 1 "$RUNS"); do one_picks+=("$(korvo_run one.bin | cut -d' ' -f3)"); done

curl_times=()
korvo_times=()
korvo_peaks=()
korvo_picks=()
korvo_writes=()
for round in $(seq 1 "$RUNS"); do
    curl_seconds=$(curl_run)
    read -r seconds peak picked written < <(korvo_run big.bin)
    cmp -s "$WORK/site/big.bin" "$WORK/dest/big.bin" || { echo "Korvo's copy differs"; exit 1; }
    printf 'round %d: curl %.3f s; Korvo pick to file %.3f s (%.2fx), to its last byte %.3f s, whole run %.2f s\n' \
        "$round" "$curl_seconds" "$picked" "$(calc "$picked / $curl_seconds")" "$written" "$seconds"
    curl_times+=("$curl_seconds")
    korvo_times+=("$seconds")
    korvo_peaks+=("$peak")
    korvo_picks+=("$picked")
    korvo_writes+=("$written")
done
curl_median=$(printf '%s\n' "${curl_times[@]}" | median)
pick_median=$(printf '%s\n' "${korvo_picks[@]}" | median)
write_median=$(printf '%s\n' "${korvo_writes[@]}" | median)
korvo_median=$(printf '%s\n' "${korvo_times[@]}" | median)
transfer_median=$(calc "$korvo_median - $empty_median")

echo "medians:"
printf 'curl, whole fetch            %6.3f s\n' "$curl_median"
printf 'Korvo, pick to file in place %6.3f s   (%.2fx curl)\n' "$pick_median" "$(calc "$pick_median / $curl_median")"
printf 'Korvo, pick to last byte     %6.3f s   (%.2fx curl)\n' "$write_median" "$(calc "$write_median / $curl_median")"
printf 'Korvo, pick to file, 1 MB    %6.3f s\n' "$(printf '%s\n' "${one_picks[@]}" | median)"
printf 'Korvo, whole run             %6.2f s\n' "$korvo_median"
printf 'Korvo, run of an empty file  %6.2f s\n' "$empty_median"
printf 'Korvo, transfer alone        %6.2f s\n' "$transfer_median"
printf 'Korvo, peak resident size    %6d KiB\n' "$(printf '%s\n' "${korvo_peaks[@]}" | median)"

# WinINet alone, without Korvo around it: the cache flags and the paced reads Korvo uses, and
# memory against the file size.
probe() {
    timeout 300 wine "$ROOT/build/win/bench/wininet_read.exe" "$URL/$1" 'C:\bench\curl\probe.bin' "$2" "${3:-plain}" 2>/dev/null | tr -d '\r'
}
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }
for mode in plain fresh korvo; do
    seconds=()
    for _ in $(seq 1 "$RUNS"); do
        line=$(probe big.bin 262144 "$mode")
        seconds+=("$(echo "$line" | field seconds)")
        peak=$(echo "$line" | field peak_working_set_kib)
    done
    printf 'WinINet, 256 KiB reads, %-6s %s s; median %.3f s, peak working set %d KiB\n' "$mode" \
        "$(echo "${seconds[@]}")" "$(printf '%s\n' "${seconds[@]}" | median)" "$peak"
done
head -c 10000000 /dev/urandom >"$WORK/site/small.bin"
line=$(probe small.bin 1024)
printf 'WinINet, 1024-byte reads, 10 MB file: peak working set %s KiB\n' \
    "$(echo "$line" | sed -n 's/.*peak_working_set_kib=\([0-9]*\).*/\1/p')"
