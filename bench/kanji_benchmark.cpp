// Throughput of the detector and the three converters over a few MB of Japanese prose in each
// encoding, beside memcpy of the same buffer in the same run. After Google Benchmark's own
// table it prints every figure as a share of the memcpy of its buffer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "kanji/kanji_code.h"
#include "kanji/kanji_convert.h"

namespace {

using namespace quelbrix;

// Prose of the kind people keep in text files: kanji, kana, full-width punctuation, some
// half-width kana, digits and English words. Written as UTF-16 so that every other encoding
// can be derived from it.
const char16_t* const kSentences[] = {
    u"本日の会議では、来年度の予算案について各部署から説明がありました。",
    u"検索結果は、ファイル名、サイズ、更新日時、見つかった個数の順に表示されます。",
    u"東京都千代田区丸の内一丁目の事務所は、午前９時から午後６時まで営業しています。",
    u"メールの件名に「至急」と書かれていても、内容を確認してから返信してください。",
    u"The quick brown fox jumps over the lazy dog. 123-4567",
    u"ﾃﾞｰﾀﾍﾞｰｽの移行作業は、週末の夜間に実施する予定です。",
    u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
    u"春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて、紫だちたる雲のほそくたなびきたる。",
    u"議事録：出席者は山田、佐藤、鈴木、高橋の四名。欠席者なし。",
    u"設定ファイル（QuelbrixU.ini）は、プログラムと同じフォルダーに保存されます。",
    u"価格は税込み１，９８０円です。在庫がなくなり次第、販売を終了いたします。",
    u"祇園精舎の鐘の声、諸行無常の響きあり。沙羅双樹の花の色、盛者必衰の理をあらはす。",
    u"ネットワークに接続できない場合は、ケーブルとルーターの電源を確認してください。",
    u"第３章　文字コードの判定と変換について",
    u"報告書の提出期限は、毎月２５日の正午までとします。遅れる場合は事前に連絡すること。",
};

constexpr std::size_t kTargetBytes = 4u << 20;

std::string Utf16Corpus() {
    std::string bytes;
    std::uint32_t seed = 12345;
    const std::size_t count = sizeof kSentences / sizeof kSentences[0];
    while (bytes.size() < kTargetBytes) {
        seed = seed * 1103515245u + 12345u;  // a fixed shuffle of the sentences
        for (const char16_t* s = kSentences[(seed >> 16) % count]; *s != 0; ++s) {
            bytes += static_cast<char>(*s & 0xFF);
            bytes += static_cast<char>(*s >> 8);
        }
        bytes += std::string("\r\0\n\0", 4);
    }
    return bytes;
}

std::string ToSjis(const std::string& utf16) {
    std::vector<char> out(2 * utf16.size() + 1);
    const std::int32_t n =
        UnicodeToSjis(out.data(), utf16.data(), static_cast<std::uint32_t>(out.size()),
                      static_cast<std::uint32_t>(utf16.size()));
    return std::string(out.data(), static_cast<std::size_t>(n));
}

bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// JIS row and cell of a Shift_JIS pair (JIS X 0208 only).
void SjisToJis(unsigned char lead, unsigned char trail, unsigned char& row, unsigned char& cell) {
    unsigned r = (lead <= 0x9F ? lead - 0x81 : lead - 0xC1) * 2 + 0x21;
    unsigned c = trail;
    if (c >= 0x9F) {
        ++r;
        c -= 0x7E;
    } else {
        c -= c >= 0x80 ? 0x20 : 0x1F;
    }
    row = static_cast<unsigned char>(r);
    cell = static_cast<unsigned char>(c);
}

std::string ToEuc(const std::string& sjis) {
    std::string out;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (IsSjisLead(c) && i + 1 < sjis.size()) {
            unsigned char row, cell;
            SjisToJis(c, static_cast<unsigned char>(sjis[++i]), row, cell);
            out += static_cast<char>(row | 0x80);
            out += static_cast<char>(cell | 0x80);
        } else if (c >= 0xA1 && c <= 0xDF) {
            out += '\x8E';
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string ToJis(const std::string& sjis) {
    enum { Ascii, Kanji, Kana } state = Ascii;
    std::string out;
    auto shift = [&](int to, const char* escape) {
        if (state != to) out += escape;
        state = static_cast<decltype(state)>(to);
    };
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto c = static_cast<unsigned char>(sjis[i]);
        if (IsSjisLead(c) && i + 1 < sjis.size()) {
            shift(Kanji, "\x1B$B");
            unsigned char row, cell;
            SjisToJis(c, static_cast<unsigned char>(sjis[++i]), row, cell);
            out += static_cast<char>(row);
            out += static_cast<char>(cell);
        } else if (c >= 0xA1 && c <= 0xDF) {
            shift(Kana, "\x1B(I");
            out += static_cast<char>(c - 0x80);
        } else {
            shift(Ascii, "\x1B(B");
            out += static_cast<char>(c);
        }
    }
    shift(Ascii, "\x1B(B");
    return out;
}

struct Corpus {
    std::string sjis, jis, euc, utf16;
};

const Corpus& Texts() {
    static const Corpus corpus = [] {
        Corpus c;
        c.utf16 = Utf16Corpus();
        c.sjis = ToSjis(c.utf16);
        c.euc = ToEuc(c.sjis);
        c.jis = ToJis(c.sjis);
        return c;
    }();
    return corpus;
}

// Each buffer as the matcher holds it: the bytes and a terminating zero.
void Memcpy(benchmark::State& state, const std::string* text) {
    std::vector<char> dest(text->size() + 1);
    for (auto _ : state) {
        std::memcpy(dest.data(), text->c_str(), text->size() + 1);
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text->size()));
}

void Detect(benchmark::State& state, const std::string* text, KanjiCode expected) {
    KanjiCode code = KC_UNDECIDED;
    for (auto _ : state) {
        code = DetectKanjiCode(text->c_str(), static_cast<std::int32_t>(text->size()));
        benchmark::DoNotOptimize(code);
    }
    if (code != expected) state.SkipWithError(KanjiCodeName(code));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text->size()));
}

enum class Which { kJis, kEuc, kUnicode };

void Convert(benchmark::State& state, const std::string* text, Which which) {
    const auto length = static_cast<std::uint32_t>(text->size());
    std::vector<char> dest(2 * text->size() + 1);
    const auto capacity = static_cast<std::uint32_t>(2 * text->size());
    std::int32_t written = 0;
    for (auto _ : state) {
        switch (which) {
        case Which::kJis:
            written = JisToSjis(dest.data(), text->c_str(), capacity, length);
            break;
        case Which::kEuc:
            written = EucToSjis(dest.data(), text->c_str(), capacity, length);
            break;
        case Which::kUnicode:
            written = UnicodeToSjis(dest.data(), text->c_str(), capacity, length);
            break;
        }
        benchmark::DoNotOptimize(written);
        benchmark::ClobberMemory();
    }
    if (written != static_cast<std::int32_t>(Texts().sjis.size())) {
        state.SkipWithError("converted text differs in length from the Shift_JIS text");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text->size()));
}

// Collects MB/s by name and prints each figure as a share of memcpy of the same buffer.
class ShareOfMemcpyReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions, the median stands for the measure.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end() && !run.error_occurred) {
                rates_[run.run_name.str()] = rate->second.value / 1e6;
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-24s %10s %10s %8s\n", "measure", "MB/s", "memcpy", "share");
        for (const auto& [name, rate] : rates_) {
            const std::string buffer = name.substr(name.find('/') + 1);
            if (name.rfind("memcpy/", 0) == 0) continue;
            const auto base = rates_.find("memcpy/" + buffer);
            if (base == rates_.end()) continue;
            std::printf("%-24s %10.0f %10.0f %7.1f%%\n", name.c_str(), rate, base->second,
                        100.0 * rate / base->second);
        }
    }

private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    const Corpus& texts = Texts();
    std::printf("buffers: Shift_JIS %zu, ISO-2022-JP %zu, EUC-JP %zu, UTF-16LE %zu bytes\n",
                texts.sjis.size(), texts.jis.size(), texts.euc.size(), texts.utf16.size());

    const struct {
        const char* name;
        const std::string* text;
        KanjiCode verdict;
    } buffers[] = {{"sjis", &texts.sjis, KC_SJIS},
                   {"jis", &texts.jis, KC_JIS},
                   {"euc", &texts.euc, KC_EUC},
                   {"utf16", &texts.utf16, KC_UNICODE}};
    for (const auto& b : buffers) {
        benchmark::RegisterBenchmark((std::string("memcpy/") + b.name).c_str(), Memcpy, b.text);
        benchmark::RegisterBenchmark((std::string("detect/") + b.name).c_str(), Detect, b.text,
                                     b.verdict);
    }
    benchmark::RegisterBenchmark("convert/jis", Convert, &texts.jis, Which::kJis);
    benchmark::RegisterBenchmark("convert/euc", Convert, &texts.euc, Which::kEuc);
    benchmark::RegisterBenchmark("convert/utf16", Convert, &texts.utf16, Which::kUnicode);

    benchmark::Initialize(&argc, argv);
    ShareOfMemcpyReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
