#!/usr/bin/env bash
# Times `quelbrix search` on a synthetic tree of Shift_JIS text against ripgrep and grep on the
# same tree, one thread each, with a warm page cache, and prints a table of the ratios; then
# a few of the searches with each program's default threads, with quelbrix's speed-up over
# its one thread.
#
#   bench/search_tree.sh [--files N] [--mb M] [--runs R] [--quelbrix PATH]
#
# Defaults: 20,000 files, 200 MB, 3 paired runs (quelbrix and its peer one after the other, the
# medians compared). The tree is kept in build/bench-tree-N-M and made again only when missing.
# A ratio below 1 means quelbrix took less time than its peer. Three words are searched with
# every fold on as well, and the folded search's median is printed as a multiple of the same
# word's unfolded one. ripgrep counts matching lines
# where quelbrix counts hits, so the counts are not compared.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=20000
megabytes=200
runs=3
quelbrix=$root/build/host/bin/quelbrix
while [ $# -gt 0 ]; do
  case $1 in
    --files) files=$2; shift 2 ;;
    --mb) megabytes=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --quelbrix) quelbrix=$2; shift 2 ;;
    *) echo "usage: $0 [--files N] [--mb M] [--runs R] [--quelbrix PATH]" >&2; exit 2 ;;
  esac
done
[ -x "$quelbrix" ] || { echo "no quelbrix at $quelbrix (build the target 'quelbrix' first)" >&2; exit 2; }
command -v rg >/dev/null || { echo "ripgrep (rg) is not installed; scripts/setup installs it" >&2; exit 2; }

tree=$root/build/bench-tree-v2-$files-$megabytes
if [ ! -f "$tree/.complete" ]; then
  echo "making $tree ($files files, $megabytes MB)..."
  rm -rf "$tree"
  python3 - "$tree" "$files" "$megabytes" <<'PY'
import os, random, sys
tree, files, megabytes = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(3)
# Japanese prose in Shift_JIS with ASCII words, numbers and markup mixed in; every fifth file
# holds the word "needle" a few times, every third a line with the Japanese word 設定結果.
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
    if n % 3 == 0:
        for _ in range(random.randint(1, 3)):
            chunks.insert(random.randrange(len(chunks) + 1),
                          "会議の設定結果を保存した。\r\n".encode("cp932"))
    with open(os.path.join(folder, "f%05d.txt" % n), "wb") as out:
        out.write(b"".join(chunks))
open(os.path.join(tree, ".complete"), "w").close()
PY
fi

bytes=$(du -sb "$tree" | cut -f1)
echo "tree: $tree, $files files, $((bytes / 1024 / 1024)) MB; medians of $runs paired runs"

# Each row: a label, the quelbrix command, and its peer's. Words and patterns are written here
# in UTF-8; quelbrix gets them in Shift_JIS, as the program hands them to the engine.
python3 - "$runs" "$quelbrix" "$tree" <<'PY'
import statistics, subprocess, sys, time
runs, quelbrix, tree = int(sys.argv[1]), sys.argv[2], sys.argv[3]

def sjis(text):
    return text.encode("cp932")

def q(*options, word, threads=("-j1",)):
    return [quelbrix, "search", *threads, "--subfolders", *options, tree, sjis(word)]

FOLDS = ("-i", "--ignore-width", "--ignore-kana")
# (folded row, the same word's unfolded row): what folding costs, folded time / unfolded time.
FOLDED_PAIRS = [
    ("設定結果, -i --ignore-width --ignore-kana", "Shift_JIS literal 設定結果, detection"),
    ("保存した, -i --ignore-width --ignore-kana", "Shift_JIS literal 保存した, detection"),
    ("データ, -i --ignore-width --ignore-kana", "Shift_JIS literal データ, detection"),
]

rows = [
    ("ASCII literal needle, --no-convert", q("--no-convert", word="needle"),
     ["rg", "-j1", "-c", "-F", "needle", tree]),
    ("ASCII literal needle, kanji code detection", q(word="needle"),
     ["rg", "-j1", "-c", "-F", "needle", tree]),
    ("Shift_JIS literal 設定結果, detection", q(word="設定結果"),
     ["rg", "-j1", "-c", "-E", "sjis", "-F", "設定結果", tree]),
    # The same words with every fold, as the window's three check boxes ask; rg folds case only.
    ("設定結果, -i --ignore-width --ignore-kana", q(*FOLDS, word="設定結果"),
     ["rg", "-j1", "-c", "-i", "-E", "sjis", "設定結果", tree]),
    ("Shift_JIS literal 保存した, detection", q(word="保存した"),
     ["rg", "-j1", "-c", "-E", "sjis", "-F", "保存した", tree]),
    ("保存した, -i --ignore-width --ignore-kana", q(*FOLDS, word="保存した"),
     ["rg", "-j1", "-c", "-i", "-E", "sjis", "保存した", tree]),
    # Not in the tree; begins with a kana, whose folded forms start with common lead bytes.
    ("Shift_JIS literal データ, detection", q(word="データ"),
     ["rg", "-j1", "-c", "-E", "sjis", "-F", "データ", tree]),
    ("データ, -i --ignore-width --ignore-kana", q(*FOLDS, word="データ"),
     ["rg", "-j1", "-c", "-i", "-E", "sjis", "データ", tree]),
    # Both print every hit line with its path and number.
    ("Shift_JIS literal 設定結果, --lines", q("--lines", word="設定結果"),
     ["rg", "-j1", "-n", "-E", "sjis", "設定結果", tree]),
    ("regex [ァ-ヶ]{3}, detection", q("--regex", word="[ァ-ヶ]{3}"),
     ["rg", "-j1", "-c", "-E", "sjis", "[ァ-ヶ]{3}", tree]),
    ("regex [0-9]+, --no-convert", q("--regex", "--no-convert", word="[0-9]+"),
     ["rg", "-j1", "-c", "[0-9]+", tree]),
    ("ASCII literal needle, --no-convert", q("--no-convert", word="needle"),
     ["grep", "-r", "-c", "-F", "needle", tree]),
]

# Searched once more with every thread each program takes by default: quelbrix one per
# processor, ripgrep its own choice.
THREADED = [
    "ASCII literal needle, --no-convert",
    "ASCII literal needle, kanji code detection",
    "Shift_JIS literal 設定結果, detection",
    "regex [ァ-ヶ]{3}, detection",
    "regex [0-9]+, --no-convert",
]
threaded_rows = []
for label, mine, peer in rows:
    if label in THREADED and peer[0] == "rg":
        threaded_rows.append((label, [part for part in mine if part != "-j1"],
                              [part for part in peer if part != "-j1"]))

def elapsed(command):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start

# Each program `runs` times, one after the other; the two medians.
def paired_medians(mine, peer):
    mine_times, peer_times = [], []
    for _ in range(runs):
        mine_times.append(elapsed(mine))
        peer_times.append(elapsed(peer))
    return statistics.median(mine_times), statistics.median(peer_times)

def peer_name(command):
    return " ".join(part for part in command[:-1] if part != tree)

for _, mine, peer in rows + threaded_rows:  # warm the page cache and the programs
    elapsed(mine)
    elapsed(peer)

print()
medians = {}
print("| search | quelbrix s | peer s | ratio | peer |")
print("|---|---|---|---|---|")
for label, mine, peer in rows:
    m, p = paired_medians(mine, peer)
    medians[label] = m
    print("| %s | %.3f | %.3f | %.2fx | `%s` |" % (label, m, p, m / p, peer_name(peer)), flush=True)

print()
for folded, unfolded in FOLDED_PAIRS:
    print("folding %s: %.2fx the unfolded search" % (folded, medians[folded] / medians[unfolded]))

# The same paired runs with the default threads; the speed-up is the -j1 median of the table
# above over this one.
print()
print("| search, default threads | quelbrix s | rg s | ratio | quelbrix -j1 s | speed-up |")
print("|---|---|---|---|---|---|")
for label, mine, peer in threaded_rows:
    m, p = paired_medians(mine, peer)
    print("| %s | %.3f | %.3f | %.2fx | %.3f | %.2fx |" % (label, m, p, m / p, medians[label],
                                                          medians[label] / m), flush=True)
PY
rows=$("$quelbrix" search -j1 --subfolders --no-convert "$tree" needle 2>/dev/null | wc -l)
echo "files with hits of needle: $rows"
word=$(printf '%s' 設定結果 | iconv -f UTF-8 -t CP932)
mine=$("$quelbrix" search -j1 --subfolders --lines "$tree" "$word" 2>/dev/null | wc -l)
peer=$(rg -j1 -n -E sjis 設定結果 "$tree" | wc -l)
echo "hit lines of 設定結果: quelbrix $mine, rg $peer"
