#!/usr/bin/env bash
# Times `quelbrix search -j1` on one big Shift_JIS file against ripgrep on the same file, one
# thread each, with a warm page cache, and prints each search's time, its speed in MB/s and
# the ratio; what a search costs end to end when the whole text is one file.
#
#   bench/big_file.sh [--mb M] [--runs R] [--quelbrix PATH]
#
# Defaults: 100 MB, 5 paired runs (quelbrix and ripgrep one after the other, the medians
# compared). The file is made with search_tree.sh's line generator, kept in
# build/bench-big-file-M and made again only when missing. A ratio below 1 means quelbrix took
# less time than ripgrep. ripgrep counts matching lines where quelbrix counts hits, so the
# counts are not compared.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
megabytes=100
runs=5
quelbrix=$root/build/host/bin/quelbrix
while [ $# -gt 0 ]; do
  case $1 in
    --mb) megabytes=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --quelbrix) quelbrix=$2; shift 2 ;;
    *) echo "usage: $0 [--mb M] [--runs R] [--quelbrix PATH]" >&2; exit 2 ;;
  esac
done
[ -x "$quelbrix" ] || { echo "no quelbrix at $quelbrix (build the target 'quelbrix' first)" >&2; exit 2; }
command -v rg >/dev/null || { echo "ripgrep (rg) is not installed; scripts/setup installs it" >&2; exit 2; }

folder=$root/build/bench-big-file-$megabytes
file=$folder/prose.txt
if [ ! -f "$folder/.complete" ]; then
  echo "making $file ($megabytes MB)..."
  rm -rf "$folder"
  mkdir -p "$folder"
  python3 - "$file" "$megabytes" <<'PY'
import random, sys
path, megabytes = sys.argv[1], int(sys.argv[2])
random.seed(3)
# The prose of search_tree.sh: Japanese in Shift_JIS with ASCII words, numbers and markup
# mixed in, and now and then a line with the Japanese word 設定結果.
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
marked = "会議の設定結果を保存した。\r\n".encode("cp932")
size = megabytes * 1024 * 1024
chunks, total = [], 0
while total < size:
    chunk = marked if random.random() < 0.001 else random.choice(pool)
    chunks.append(chunk)
    total += len(chunk)
with open(path, "wb") as out:
    out.write(b"".join(chunks))
PY
  touch "$folder/.complete"
fi

bytes=$(stat -c %s "$file")
echo "file: $file, $((bytes / 1024 / 1024)) MB; quelbrix: $quelbrix; medians of $runs paired runs"

# Each row: a label, the word (in UTF-8; quelbrix gets it in Shift_JIS, as the program hands it
# to the engine), quelbrix's options and ripgrep's.
python3 - "$runs" "$quelbrix" "$folder" "$file" "$bytes" <<'PY'
import statistics, subprocess, sys, time
runs, quelbrix, folder, path, size = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])

SJIS = ("-E", "sjis")
rows = [
    ("absent word zqxjv", "zqxjv", [], ["-F"]),
    ("literal 設定結果", "設定結果", [], [*SJIS, "-F"]),
    ("regex [0-9]+", "[0-9]+", ["--regex"], []),
    ("regex [ァ-ヶ]{3}", "[ァ-ヶ]{3}", ["--regex"], [*SJIS]),
    ("regex 会議|予算|営業", "会議|予算|営業", ["--regex"], [*SJIS]),
    ("regex の.*です", "の.*です", ["--regex"], [*SJIS]),
    ("regex \\w+", "\\w+", ["--regex"], []),
    ("regex \\b[a-z]+\\b", "\\b[a-z]+\\b", ["--regex"], []),
    ("counting の", "の", [], [*SJIS, "-F"]),
]

def commands(word, mine, peer):
    return ([quelbrix, "search", "-j1", *mine, folder, word.encode("cp932")],
            ["rg", "-j1", "-c", *peer, word, path])

def elapsed(command):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start

for _, word, mine, peer in rows:  # warm the page cache and the programs
    for command in commands(word, mine, peer):
        elapsed(command)

megabytes = size / 1e6
print()
print("| search | quelbrix s | MB/s | rg s | MB/s | ratio |")
print("|---|---|---|---|---|---|")
for label, word, mine, peer in rows:
    mine_command, peer_command = commands(word, mine, peer)
    mine_times, peer_times = [], []
    for _ in range(runs):
        mine_times.append(elapsed(mine_command))
        peer_times.append(elapsed(peer_command))
    m, p = statistics.median(mine_times), statistics.median(peer_times)
    print("| %s | %.3f | %.0f | %.3f | %.0f | %.2fx |" %
          (label, m, megabytes / m, p, megabytes / p, m / p), flush=True)
PY
