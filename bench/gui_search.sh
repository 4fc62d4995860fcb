#!/usr/bin/env bash
# Times QuelbrixU under Wine from its start to the search's summary box, on a tree of small
# Shift_JIS files and on an empty folder, so that what each directory entry costs shows apart
# from starting the program: first with the 1 ms pause after each entry, then without it
# ([whole] nPause=1 in the program copy's settings file), on the same tree.
#
#   bench/gui_search.sh [--files N] [--runs R] [--engine QuelbrixD.dll] [--seconds S]
#
# Defaults: 2,000 files of about 1 KB in 10 folders, 3 runs each (medians), the deliverables of
# build/windows/bin; --engine puts another QuelbrixD.dll beside the program. The program runs
# from its own copy in build/gui-bench (its settings file is written there), on a private Xvfb;
# each wait for the summary ends after S seconds (default 300).
set -euo pipefail
source "$(dirname "$0")/../scripts/env.sh"
files=2000
runs=3
engine=""
seconds=300
while [ $# -gt 0 ]; do
  case $1 in
    --files) files=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --engine) engine=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    *) echo "usage: $0 [--files N] [--runs R] [--engine QuelbrixD.dll] [--seconds S]" >&2; exit 2 ;;
  esac
done
bin=$root/build/windows/bin
for f in QuelbrixU.exe QuelbrixD.dll Grexmo.dll; do
  [ -f "$bin/$f" ] || { echo "no $bin/$f (build the Windows preset first)" >&2; exit 2; }
done

work=$root/build/gui-bench
program=$work/program
rm -rf "$program" && mkdir -p "$program"
cp "$bin/QuelbrixU.exe" "$bin/QuelbrixD.dll" "$bin/Grexmo.dll" "$program/"
[ -n "$engine" ] && cp "$engine" "$program/QuelbrixD.dll"

tree=$work/tree-$files
if [ ! -f "$tree/.complete" ]; then
  rm -rf "$tree"
  python3 - "$tree" "$files" <<'PY'
import os, sys
tree, files = sys.argv[1], int(sys.argv[2])
line = "検索の速さを測るための文書です。ファイルごとの待ち時間が見えるように小さくしてあります。\r\n"
for n in range(files):
    folder = os.path.join(tree, "d%d" % (n % 10))
    os.makedirs(folder, exist_ok=True)
    text = line * 8 + ("needle\r\n" if n % 5 == 0 else "")
    with open(os.path.join(folder, "f%05d.txt" % n), "wb") as out:
        out.write(text.encode("cp932"))
open(os.path.join(tree, ".complete"), "w").close()
PY
fi
empty=$work/empty
mkdir -p "$empty"

display=":$((110 + RANDOM % 20))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  "$wineserver_bin" -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# One wineserver for all runs, so that each run times the program rather than Wine's start.
"$wineserver_bin" -p 60 </dev/null >/dev/null 2>&1
"$wine_bin" wineboot </dev/null >/dev/null 2>&1

summary_caption="QuelbrixD.DLL - QuelbrixU SupportSystem"
batch=$work/run.bat

# Seconds from the program's start to its summary box, or "timeout".
time_search() {
  local folder=$1
  # Through a batch file: Wine would quote the double quotes of /w"..." of a Unix argument.
  printf '@"%s" /u /w"needle" /s %s\r\n' "Z:${program//\//\\}\\QuelbrixU.exe" "Z:${folder//\//\\}\\" |
    iconv -f UTF-8 -t CP932 >"$batch"
  local start end
  start=$(date +%s.%N)
  "$wine_bin" cmd /c "Z:${batch//\//\\}" </dev/null >/dev/null 2>&1 &
  app_pid=$!
  local found=""
  local deadline=$(( $(date +%s) + seconds ))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    if xwininfo -root -tree 2>/dev/null | grep -qF "$summary_caption"; then found=1; break; fi
    sleep 0.05
  done
  end=$(date +%s.%N)
  kill "$app_pid" 2>/dev/null || true
  "$wine_bin" taskkill /f /im QuelbrixU.exe >/dev/null 2>&1 || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
  if [ -n "$found" ]; then
    python3 -c "import sys; print('%.2f' % (float(sys.argv[2]) - float(sys.argv[1])))" "$start" "$end"
  else
    echo timeout
  fi
}

median() { python3 -c "import statistics, sys; v=[float(x) for x in sys.argv[1:] if x != 'timeout']; print('%.2f' % statistics.median(v) if v else 'timeout')" "$@"; }

# Sets [whole] nPause in the program copy's settings file (Shift_JIS, CR LF), which the
# program wrote at its first start.
set_no_pause() {
  python3 - "$program/QuelbrixU.ini" "$1" <<'PY'
import re, sys
path, value = sys.argv[1], sys.argv[2]
text = open(path, "rb").read().decode("cp932")
whole = text.index("[whole]\r\n") + len("[whole]\r\n")
end = text.find("\r\n[", whole)
end = len(text) if end < 0 else end + 2
section = re.sub(r"(?m)^nPause=.*\r\n", "", text[whole:end])
section = section.replace("error=", "nPause=%s\r\nerror=" % value, 1) if "error=" in section \
    else "nPause=%s\r\n" % value + section
open(path, "wb").write((text[:whole] + section + text[end:]).encode("cp932"))
PY
}

per_entry() {
  python3 -c "import sys; t, e, n = map(float, sys.argv[1:]); print('%.3f' % ((t - e) * 1000 / n))" "$@"
}

# Every file and every folder is one directory entry.
entries=$((files + 10))
echo "engine: ${engine:-$bin/QuelbrixD.dll}"
declare -A per
for series in pause nopause; do
  if [ "$series" = nopause ]; then
    [ -f "$program/QuelbrixU.ini" ] || { echo "no settings file written by the first series" >&2; exit 1; }
    set_no_pause 1
    label="without the pause ([whole] nPause=1)"
  else
    label="with the 1 ms pause"
  fi
  empty_times=() tree_times=()
  for _ in $(seq 1 "$runs"); do
    empty_times+=("$(time_search "$empty")")
    tree_times+=("$(time_search "$tree")")
  done
  empty_median=$(median "${empty_times[@]}")
  tree_median=$(median "${tree_times[@]}")
  echo "$label:"
  echo "  empty folder, start to summary: ${empty_times[*]} s (median $empty_median)"
  echo "  $files files, start to summary: ${tree_times[*]} s (median $tree_median)"
  per[$series]=timeout
  if [ "$empty_median" != timeout ] && [ "$tree_median" != timeout ]; then
    per[$series]=$(per_entry "$tree_median" "$empty_median" "$entries")
    echo "  per directory entry: ${per[$series]} ms"
  fi
done
if [ "${per[pause]}" != timeout ] && [ "${per[nopause]}" != timeout ]; then
  python3 -c "import sys; a, b = map(float, sys.argv[1:]); print('the pause costs per entry: %.3f ms' % (a - b))" \
    "${per[pause]}" "${per[nopause]}"
fi
