#!/usr/bin/env bash
# Start to menu under Wine: how long Korvo takes from its start until its menu is on the screen,
# against the least program that shows a one-item popup menu (bench/menu_probe.cpp), on the same
# machine in the same run:
#   bench/start_to_menu.sh [RUNS]          (default 11; needs scripts/build.sh win)
# Three programs, in turn, RUNS times each, each started by bench/menu_timer.cpp inside Wine:
#   probe   the one-item menu; then the same with, added one at a time, what Korvo once did
#           before its menu: its DLLs imported at start (+libraries; they are delay-loaded now),
#           a 0 ms timer (+timer; Korvo now posts itself a message), its manifest (+manifest,
#           still there), COM initialised at start (+com; now only before a shell call);
#           and, on its own, the one-item menu with a Japanese label (+japanese), whose font
#           Korvo's Japanese texts need as well
#   small   Korvo with one folder: its fixed cost (program load, start-up, one menu)
#   large   Korvo with the largest configuration: 10 parameters, 500 folders, 10 programs
#   nested  the same 500 folders inside one group: the same reading and existence checks, but a
#           top level of one item, so that large - nested is the cost of showing a full top level
# Prints the median of each and the ratios; large/probe is the figure to hold to 1.1.
# KORVO_BASELINE_EXE=path/to/an/older/Korvo.exe adds that build, run on the largest configuration
# in the same rounds ("baseline"), to tell what a change to start-up gained.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUNS=${1:-11}
cd "$ROOT"
. scripts/wine-env.sh
PROBES=(menu_probe menu_probe_libraries menu_probe_timer menu_probe_manifest menu_probe_com menu_probe_japanese)
for program in build/win/Korvo.exe build/win/bench/menu_timer.exe "${PROBES[@]/#/build/win/bench/}"; do
    program=${program%.exe}.exe
    [ -f "$program" ] || { echo "no $program: run scripts/build.sh win first" >&2; exit 1; }
done
trap korvo_wine_down EXIT
korvo_wine_up || exit 1

BENCH=$WINEPREFIX/drive_c/bench
rm -rf "$BENCH"
mkdir -p "$BENCH/small" "$BENCH/large" "$BENCH/nested" "$BENCH/tools"
cp build/win/bench/menu_timer.exe "$BENCH/"
for probe in "${PROBES[@]}"; do cp "build/win/bench/$probe.exe" "$BENCH/"; done
cp build/win/Korvo.exe "$BENCH/small/"
cp build/win/Korvo.exe "$BENCH/large/"
baseline=${KORVO_BASELINE_EXE:-}
if [ -n "$baseline" ]; then
    mkdir -p "$BENCH/baseline"
    cp "$baseline" "$BENCH/baseline/Korvo.exe"
fi
cp build/win/Korvo.exe "$BENCH/nested/"
mkdir -p "$BENCH/down"
printf '[system]\r\n%%end\r\n[dir]\r\nC:\\bench\\down | Down\r\n%%end\r\n[exec]\r\n%%end\r\n' >"$BENCH/small/Korvo.ini"
# The largest configuration: every folder and program in it exists, so nothing is dropped.
/usr/bin/python3 - "$BENCH" <<'PY'
import os, sys
bench = sys.argv[1]
lines = ["[system]", "@timeout=60", "@param"]
for p in range(10):
    lines.append(f"%p{p}% | C:\\bench\\down\\p{p}")
lines += ["%end", "[dir]"]
for group in range(50):
    p = group % 10
    lines.append(f"{{グループ {group}")
    for i in range(9):
        os.makedirs(f"{bench}/down/p{p}/g{group}/f{i}", exist_ok=True)
        lines.append(f"%p{p}%\\g{group}\\f{i} | フォルダ {i}")
    lines += ["}", "+"]
lines += ["%end", "[exec]"]
for i in range(10):
    open(f"{bench}/tools/get{i}.exe", "wb").close()
    lines.append(f"C:\\bench\\tools\\get{i}.exe | get{i}")
    lines.append('>-o "%dir%\\%name%%ext%" "%url%"')
lines.append("%end")
with open(f"{bench}/large/Korvo.ini", "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
if os.path.isdir(f"{bench}/baseline"):
    with open(f"{bench}/baseline/Korvo.ini", "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
# The same lines with every group and mark inside one outer group.
start, end = lines.index("[dir]") + 1, lines.index("%end", lines.index("[dir]"))
nested = lines[:start] + ["{すべて"] + lines[start:end] + ["}"] + lines[end:]
with open(f"{bench}/nested/Korvo.ini", "wb") as f:
    f.write(("\r\n".join(nested) + "\r\n").encode("cp932"))
PY
# Every folder listed once before the runs, so that the first run does not pay for the cache.
find "$BENCH" >/dev/null

URL=http://127.0.0.1:9/file.bin
measure() {  # NAME WINDOWS-PROGRAM [ARGS...]
    local name=$1 ms
    shift
    ms=$(cd "$BENCH" && timeout 60 wine 'C:\bench\menu_timer.exe' "$@" 2>/dev/null | tr -d '\r')
    if [ -n "$ms" ]; then echo "$ms" >>"$BENCH/$name.times"; else echo "  $name: no menu" >&2; fi
}
median() { sort -n "$1" | awk '{ a[NR] = $1 } END { if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

measure warmup 'C:\bench\menu_probe.exe'
measure warmup 'C:\bench\large\Korvo.exe' "$URL"
for _ in $(seq 1 "$RUNS"); do
    for probe in "${PROBES[@]}"; do measure "$probe" "C:\\bench\\$probe.exe"; done
    measure small 'C:\bench\small\Korvo.exe' "$URL"
    measure large 'C:\bench\large\Korvo.exe' "$URL"
    measure nested 'C:\bench\nested\Korvo.exe' "$URL"
    [ -z "$baseline" ] || measure baseline 'C:\bench\baseline\Korvo.exe' "$URL"
done

probe=$(median "$BENCH/menu_probe.times")
small=$(median "$BENCH/small.times")
large=$(median "$BENCH/large.times")
nested=$(median "$BENCH/nested.times")
echo "start to menu, medians of $RUNS runs (ms):"
echo "  probe (one-item menu)           $probe"
echo "    + DLLs imported at start      $(median "$BENCH/menu_probe_libraries.times")"
echo "    + a 0 ms timer                $(median "$BENCH/menu_probe_timer.times")"
echo "    + Korvo's manifest            $(median "$BENCH/menu_probe_manifest.times")"
echo "    + COM initialised first       $(median "$BENCH/menu_probe_com.times")"
echo "  probe with a Japanese label      $(median "$BENCH/menu_probe_japanese.times")"
echo "  Korvo, one folder               $small"
echo "  Korvo, 500 folders, 10 programs $large"
echo "  the same, all in one group      $nested"
[ -z "$baseline" ] || echo "  baseline build, 500 folders     $(median "$BENCH/baseline.times")"
awk -v p="$probe" -v j="$(median "$BENCH/menu_probe_japanese.times")" -v s="$small" -v l="$large" -v n="$nested" 'BEGIN {
    printf "  ratio large/probe %.2f   small/probe %.2f   large/Japanese probe %.2f\n", l / p, s / p, l / j
    printf "  Korvo fixed cost (small-probe) %.1f ms; reading and checks (nested-small) %.1f ms; full top level (large-nested) %.1f ms\n", s - p, n - s, l - n }'
