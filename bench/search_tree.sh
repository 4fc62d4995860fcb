#!/usr/bin/env bash
# Times `quelbrix search` on a synthetic tree of Shift_JIS text against grep (and rg when
# installed) on the same tree and word, with a warm page cache, and prints the ratios.
#
#   bench/search_tree.sh [--files N] [--mb M] [--word W] [--runs R] [--quelbrix PATH]
#
# Defaults: 20,000 files, 200 MB, the ASCII word "needle", best of 3 runs. The tree is kept in
# build/bench-tree-N-M and made again only when missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=20000
megabytes=200
word=needle
runs=3
quelbrix=$root/build/engine-host/bin/quelbrix
while [ $# -gt 0 ]; do
  case $1 in
    --files) files=$2; shift 2 ;;
    --mb) megabytes=$2; shift 2 ;;
    --word) word=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --quelbrix) quelbrix=$2; shift 2 ;;
    *) echo "usage: $0 [--files N] [--mb M] [--word W] [--runs R] [--quelbrix PATH]" >&2; exit 2 ;;
  esac
done
[ -x "$quelbrix" ] || { echo "no quelbrix at $quelbrix (build the target 'quelbrix' first)" >&2; exit 2; }

tree=$root/build/bench-tree-$files-$megabytes
if [ ! -f "$tree/.complete" ]; then
  echo "making $tree ($files files, $megabytes MB)..."
  rm -rf "$tree"
  python3 - "$tree" "$files" "$megabytes" <<'PY'
import os, random, sys
tree, files, megabytes = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(3)
# Japanese prose in Shift_JIS with ASCII words, numbers and markup mixed in; every fifth file
# holds the word "needle" a few times.
kana = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
kata = "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
kanji = "表示検索漢字変換日本語文書設定結果一覧保存開始終了能力申請予定時間場所名前会社電話番号住所"
ascii_words = ["file", "data", "value", "<p>", "</p>", "2026", "http://example.jp/", "id=42", "OK"]
def line():
    parts = []
    for _ in range(random.randint(4, 12)):
        r = random.random()
        if r < 0.45:
            parts.append("".join(random.choice(kana) for _ in range(random.randint(2, 8))))
        elif r < 0.65:
            parts.append("".join(random.choice(kanji) for _ in range(random.randint(1, 4))))
        elif r < 0.8:
            parts.append("".join(random.choice(kata) for _ in range(random.randint(2, 6))))
        else:
            parts.append(random.choice(ascii_words))
    return ("、".join(parts) + "。\r\n").encode("cp932")
pool = [line() for _ in range(5000)]
average = megabytes * 1024 * 1024 // files
folders = max(1, files // 200)
for n in range(files):
    folder = os.path.join(tree, "d%03d" % (n % folders), "e%d" % (n % 7))
    os.makedirs(folder, exist_ok=True)
    size = random.randint(average // 2, average * 3 // 2)
    chunks, total = [], 0
    while total < size:
        chunk = random.choice(pool)
        chunks.append(chunk)
        total += len(chunk)
    if n % 5 == 0:
        for _ in range(random.randint(1, 4)):
            chunks.insert(random.randrange(len(chunks) + 1), b"a needle here\r\n")
    with open(os.path.join(folder, "f%05d.txt" % n), "wb") as out:
        out.write(b"".join(chunks))
open(os.path.join(tree, ".complete"), "w").close()
PY
fi

# Best wall time of $runs runs of a command, in seconds; output discarded.
best_of() {
  python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
best = None
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = time.perf_counter() - start
    best = elapsed if best is None else min(best, elapsed)
print("%.3f" % best)
PY
}
ratio() { python3 -c "import sys; print('%.2f' % (float(sys.argv[1]) / float(sys.argv[2])))" "$1" "$2"; }

# Warm the page cache.
grep -r -c -F "$word" "$tree" >/dev/null || true
"$quelbrix" search --subfolders --no-convert "$tree" "$word" >/dev/null 2>&1 || true

bytes=$(du -sb "$tree" | cut -f1)
echo "tree: $tree, $files files, $((bytes / 1024 / 1024)) MB, word '$word', best of $runs"
grep_time=$(best_of grep -r -c -F "$word" "$tree")
plain_time=$(best_of "$quelbrix" search --subfolders --no-convert "$tree" "$word")
convert_time=$(best_of "$quelbrix" search --subfolders "$tree" "$word")
nocount_time=$(best_of "$quelbrix" search --subfolders --no-convert --no-count "$tree" "$word")
printf '%-45s %8ss\n' "grep -r -c -F" "$grep_time"
if command -v rg >/dev/null; then
  rg_time=$(best_of rg -c -F "$word" "$tree")
  printf '%-45s %8ss\n' "rg -c -F" "$rg_time"
fi
printf '%-45s %8ss  %sx grep\n' "quelbrix search --no-convert" "$plain_time" "$(ratio "$plain_time" "$grep_time")"
printf '%-45s %8ss  %sx grep\n' "quelbrix search --no-convert --no-count" "$nocount_time" "$(ratio "$nocount_time" "$grep_time")"
printf '%-45s %8ss  %sx grep\n' "quelbrix search (with kanji code detection)" "$convert_time" "$(ratio "$convert_time" "$grep_time")"
if [ -n "${rg_time:-}" ]; then
  printf '%-45s %8s   %sx rg\n' "quelbrix search --no-convert" "" "$(ratio "$plain_time" "$rg_time")"
fi
rows=$("$quelbrix" search --subfolders --no-convert "$tree" "$word" 2>/dev/null | wc -l)
echo "files with hits: $rows"
