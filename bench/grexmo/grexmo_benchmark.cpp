// Throughput of Grexmo over generated Japanese Shift_JIS text with ASCII mixed in, beside
// memchr over the same buffer in the same run. Every search counts all hits the way the
// engine does (Count, told the text's length); one row keeps the loop of Find calls the
// engine ran before, for comparison. After Google Benchmark's own table it prints each
// figure in MB/s and as a share of memchr, and what folding costs a plain word.
#include <benchmark/benchmark.h>

#include "grexmo/grexmo.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// String literals are compiled to Shift_JIS. 検索 and 結果 occur in a few sentences only,
// the way a searched word usually does.
const char* const kSentences[] = {
    "本日の会議では、来年度の予算案について各部署から説明がありました。",
    "東京都千代田区丸の内一丁目の事務所は、午前９時から午後６時まで営業しています。",
    "メールの件名に「至急」と書かれていても、内容を確認してから返信してください。",
    "The quick brown fox jumps over the lazy dog. 123-4567",
    "ﾃﾞｰﾀﾍﾞｰｽの移行作業は、週末の夜間に実施する予定です。",
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
    "春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて、紫だちたる雲のほそくたなびきたる。",
    "議事録：出席者は山田、佐藤、鈴木、高橋の四名。欠席者なし。",
    "設定ファイル（QuelbrixU.ini）は、プログラムと同じフォルダーに保存されます。",
    "価格は税込み1980円です。在庫がなくなり次第、販売を終了いたします。",
    "祇園精舎の鐘の声、諸行無常の響きあり。沙羅双樹の花の色、盛者必衰の理をあらはす。",
    "ネットワークに接続できない場合は、ケーブルとルーターの電源を確認してください。",
    "第３章　文字コードの判定と変換について",
    "報告書の提出期限は、毎月２５日の正午までとします。遅れる場合は事前に連絡すること。",
    "if (count > 0) { printf(\"%d files\\n\", count); }",
    "山路を登りながら、こう考えた。智に働けば角が立つ。情に棹させば流される。",
    "国境の長いトンネルを抜けると雪国であった。夜の底が白くなった。",
    "ご注文の商品は、明日の午前中にお届けする予定です。",
    "Windows 10 で動作を確認しました。バージョン 4.13 以降をお使いください。",
    "電車が遅れたため、待ち合わせの時間に間に合いませんでした。",
};
const char* const kRareSentences[] = {
    "全文検索の結果は、ファイル名、サイズ、更新日時の順に表示されます。",
    "検索語を入力してから、開始ボタンを押してください。",
    "調査の結果、原因は設定の誤りであることが分かりました。",
};

// About `bytes` of text: lines of a few sentences, CR LF line ends, one rare sentence in
// every 40 or so.
std::string MakeCorpus(std::size_t bytes) {
    std::string text;
    std::uint32_t seed = 20240611;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    const std::size_t common = sizeof kSentences / sizeof kSentences[0];
    const std::size_t rare = sizeof kRareSentences / sizeof kRareSentences[0];
    while (text.size() < bytes) {
        for (int i = 0, n = 1 + next() % 3; i < n; ++i)
            text += next() % 40 == 0 ? kRareSentences[next() % rare] : kSentences[next() % common];
        text += "\r\n";
    }
    return text;
}

const std::string& Corpus(std::size_t megabytes) {
    static std::map<std::size_t, std::string> corpora;
    std::string& text = corpora[megabytes];
    if (text.empty()) text = MakeCorpus(megabytes << 20);
    return text;
}

constexpr std::size_t kDefaultMegabytes = 4;

void Memchr(benchmark::State& state) {
    const std::string& text = Corpus(kDefaultMegabytes);
    for (auto _ : state) {
        const void* p = std::memchr(text.c_str(), '\x01', text.size());
        benchmark::DoNotOptimize(p);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

long long CountHits(CGrexmo& g, const std::string& text) {
    return g.Count(text.data(), text.size());
}

// One Find call per hit, from the end of the last one.
long long CountByFindLoop(CGrexmo& g, const char* text) {
    long long count = 0;
    int offset = 0;
    for (;;) {
        const int at = g.Find(text, offset, false);
        if (at < 0) return count;
        ++count;
        const auto length = static_cast<int>(std::strlen(g.GetHitText()));
        offset = at + (length > 0 ? length : 1);
    }
}

void SearchFolding(benchmark::State& state, const char* pattern, bool isRegex, unsigned folds,
                   std::size_t megabytes, bool findLoop = false) {
    const std::string& text = Corpus(megabytes);
    CGrexmo g;
    g.Read(pattern, isRegex, folds);
    if (!g.IsValid()) {
        state.SkipWithError(g.GetErrorText());
        return;
    }
    long long hits = 0;
    for (auto _ : state) {
        hits = findLoop ? CountByFindLoop(g, text.c_str()) : CountHits(g, text);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void SearchByFindLoop(benchmark::State& state, const char* pattern, std::size_t megabytes) {
    SearchFolding(state, pattern, false, kGrexmoFoldNone, megabytes, true);
}

void Search(benchmark::State& state, const char* pattern, bool isRegex, std::size_t megabytes) {
    SearchFolding(state, pattern, isRegex, kGrexmoFoldNone, megabytes);
}

// A plain word with every fold on, as the window's three check boxes ask for it.
constexpr unsigned kEveryFold = kGrexmoFoldCase | kGrexmoFoldWidth | kGrexmoFoldKana;
const char kFoldedSuffix[] = ", folded iwk";

void SearchFolded(benchmark::State& state, const char* word) {
    SearchFolding(state, word, false, kEveryFold, kDefaultMegabytes);
}

// Every hit of `pattern` in `kilobytes` KB of `unit` repeated: a pattern whose preferred
// branch runs to the end of the run and fails after every short hit (a*b|a over a run of a).
// The figure stays the same for every length when the counting loop is linear.
void CountOverRun(benchmark::State& state, const char* pattern, const char* unit,
                  std::size_t kilobytes) {
    std::string text;
    while (text.size() < kilobytes * 1024) text += unit;
    CGrexmo g;
    g.Read(pattern, true);
    long long hits = 0;
    for (auto _ : state) {
        hits = CountHits(g, text);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Prints every figure in MB/s beside memchr.
class BesideMemchrReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end() && !run.error_occurred) {
                rows_.push_back({run.benchmark_name(), rate->second.value / 1e6});
                if (run.benchmark_name().rfind("memchr", 0) == 0)
                    memchr_ = rate->second.value / 1e6;
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-36s %12s %10s\n", "search", "MB/s", "of memchr");
        for (const Row& r : rows_)
            std::printf("%-36s %12.1f %9.1f%%\n", r.name.c_str(), r.mbPerSecond,
                        memchr_ > 0 ? 100.0 * r.mbPerSecond / memchr_ : 0.0);
        PrintFoldingCosts();
    }

private:
    struct Row {
        std::string name;
        double mbPerSecond;
    };

    // Each folded search's time as a multiple of the same word's unfolded one.
    void PrintFoldingCosts() const {
        const std::string suffix = kFoldedSuffix;
        bool headed = false;
        for (const Row& folded : rows_) {
            const std::size_t at = folded.name.rfind(suffix);
            if (at == std::string::npos || at + suffix.size() != folded.name.size()) continue;
            for (const Row& plain : rows_) {
                if (plain.name != folded.name.substr(0, at) || folded.mbPerSecond <= 0) continue;
                if (!headed) std::printf("\n%-36s %12s\n", "folded word", "time x");
                headed = true;
                std::printf("%-36s %11.2fx\n", folded.name.c_str(),
                            plain.mbPerSecond / folded.mbPerSecond);
            }
        }
    }
    std::vector<Row> rows_;
    double memchr_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // Names stay ASCII: the patterns themselves are Shift_JIS.
    benchmark::RegisterBenchmark("memchr (byte absent)", Memchr);
    benchmark::RegisterBenchmark("plain, absent word", Search, "存在しない語句", false,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("plain kensaku (rare)", Search, "検索", false, kDefaultMegabytes);
    benchmark::RegisterBenchmark("plain QuelbrixU (rare)", Search, "QuelbrixU", false,
                                 kDefaultMegabytes);
    // The same words unfolded and folded: データ is written ﾃﾞｰﾀ in the text, 設定 has no
    // other form, ください is hiragana with a voiced kana.
    const struct {
        const char* name;
        const char* word;
    } foldedWords[] = {
        {"plain deeta", "データ"}, {"plain settei", "設定"}, {"plain kudasai", "ください"}};
    for (const auto& w : foldedWords) {
        benchmark::RegisterBenchmark(w.name, Search, w.word, false, kDefaultMegabytes);
        benchmark::RegisterBenchmark((std::string(w.name) + kFoldedSuffix).c_str(), SearchFolded,
                                     w.word);
    }
    // Unfolded データ finds nothing here; the form the text writes has the folded hits.
    benchmark::RegisterBenchmark("plain hankaku deeta", Search, "ﾃﾞｰﾀ", false, kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex kensaku.*kekka", Search, "検索.*結果", true,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex no.*desu (dense)", Search, "の.*です", true,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex [katakana]{3}", Search, "[ァ-ヶ]{3}", true,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex .*kekka", Search, ".*結果", true, kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex \\d+yen", Search, "\\d+円", true, kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex [A-Za-z]+\\.ini", Search, "[A-Za-z]+\\.ini", true,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex \\w+", Search, "\\w+", true, kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex ^dai.*shou", Search, "^第.*章", true, kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex [0-9]+", Search, "[0-9]+", true, kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex kaigi|yosan|eigyou", Search, "会議|予算|営業", true,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex \\b[a-z]+\\b", Search, "\\b[a-z]+\\b", true,
                                 kDefaultMegabytes);
    benchmark::RegisterBenchmark("regex [a-z]+ing$", Search, "[a-z]+ing$", true, kDefaultMegabytes);
    // 東京都千代田区: the hit 京都 starts inside a longer branch that fails later.
    benchmark::RegisterBenchmark("regex toukyoutochou|kyouto", Search, "東京都庁|京都", true,
                                 kDefaultMegabytes);
    for (std::size_t mb : {1, 5, 10})
        benchmark::RegisterBenchmark(("count no, " + std::to_string(mb) + " MB").c_str(), Search,
                                     "の", false, mb);
    benchmark::RegisterBenchmark("count no, 10 MB, Find loop", SearchByFindLoop, "の", 10);
    for (std::size_t kb : {256, 1024, 4096})
        benchmark::RegisterBenchmark(("count a*b|a, " + std::to_string(kb) + " KB of a").c_str(),
                                     CountOverRun, "a*b|a", "a", kb);
    for (std::size_t kb : {4, 16, 64})
        benchmark::RegisterBenchmark(
            ("count (?:ab)*c|a, " + std::to_string(kb) + " KB of ab").c_str(), CountOverRun,
            "(?:ab)*c|a", "ab", kb);
    benchmark::Initialize(&argc, argv);
    BesideMemchrReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
