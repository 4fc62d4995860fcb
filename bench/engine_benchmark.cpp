// SearchFile on an in-memory file against a bare loop of the same pattern search, so the
// figures show what opening, sizing, buffering and compiling per file cost on top of matching.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "engine/hit_lines.h"
#include "file_matcher.h"
#include "grexmo/grexmo.h"
#include "hit_counter.h"

namespace {

using namespace quelbrix;

std::string MakeText(std::size_t size) {
    // Shift_JIS prose (表示 検索 and kana) with ASCII, and the word every 4 KB.
    const std::string line =
        "\x95\x5C\x8E\xA6\x82\xC6\x8C\x9F\x8D\xF5 data=42 \x82\xA0\x82\xA2\r\n";
    std::string text;
    while (text.size() < size) {
        text += line;
        if (text.size() % 4096 < line.size()) text += "a needle\r\n";
    }
    return text;
}

class MemoryFile : public OpenFile {
public:
    explicit MemoryFile(const std::string& text) : text_(text) {}
    std::uint64_t Size() override { return text_.size(); }
    bool LastWriteUtc(CalendarTime& time) override {
        time = CalendarTime{2003, 7, 14, 9, 5, 0};
        return true;
    }
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
        delivered = std::min<std::uint32_t>(size, static_cast<std::uint32_t>(text_.size()));
        std::memcpy(buffer, text_.data(), delivered);
        return true;
    }

private:
    const std::string& text_;
};

class OneFileSystem : public FileSystem {
public:
    explicit OneFileSystem(std::string text) : text_(std::move(text)) {}
    std::unique_ptr<FolderListing> ListFolder(const char*) override { return nullptr; }
    char Separator() const override { return '/'; }
    std::unique_ptr<OpenFile> OpenForReading(const char*, char*, std::size_t) override {
        return std::make_unique<MemoryFile>(text_);
    }

private:
    std::string text_;
};

class SilentUi : public UserInterface {
public:
    BoxAnswer ShowBox(WindowHandle, const char*, const char*, BoxKind) override {
        return BoxAnswer::kOk;
    }
    bool LoadText(int, char* buffer, std::size_t) override { return buffer[0] = '\0', false; }
    void PumpOneMessage() override {}
    void Pause(int) override {}
    void DebugOutput(const char*) override {}
};

class NoProgress : public ProgressBar {
public:
    void SetRange(WindowHandle, std::uint32_t) override {}
    void SetStep(WindowHandle, int) override {}
    void StepIt(WindowHandle) override {}
    void SetPosition(WindowHandle, int) override {}
};

class NoRows : public ResultRows {
public:
    void Bind(WindowHandle) override {}
    void AddColumn(int, const char*, int, ColumnAlign) override {}
    void SetGridStyle() override {}
    int Count() override { return 0; }
    void Insert(int, const char*) override {}
    void SetCell(int, int, const char*) override {}
    void GetCell(int, int, char* buffer, std::size_t) override { buffer[0] = '\0'; }
    void SetSortKey(int, std::intptr_t) override {}
    void DeleteAll() override {}
    bool Sort(RowComparator, void*) override { return true; }
};

void BM_SearchFile(benchmark::State& state) {
    OneFileSystem files(MakeText(static_cast<std::size_t>(state.range(0))));
    SilentUi ui;
    NoProgress progress;
    NoRows rows;
    Platform platform{files, ui, progress, rows};
    SearchRequest request;
    request.word = "needle";
    request.convertCodes = false;
    char time[kTimeTextSize];
    for (auto _ : state) {
        std::uint32_t size = 0;
        benchmark::DoNotOptimize(SearchFile(platform, request, "f.txt", size, time));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchFile)->Arg(1 << 10)->Arg(10 << 10)->Arg(1 << 20);

// As the search driver calls it: the word compiled once and the buffers kept from file to
// file; with kanji code detection when the second argument is 1.
void BM_SearchFileInSearch(benchmark::State& state) {
    OneFileSystem files(MakeText(static_cast<std::size_t>(state.range(0))));
    SilentUi ui;
    NoProgress progress;
    NoRows rows;
    Platform platform{files, ui, progress, rows};
    SearchRequest request;
    request.word = "needle";
    request.convertCodes = state.range(1) != 0;
    CGrexmo pattern;
    pattern.Read(request.word, request.useRegex);
    MatchBuffers buffers;
    char time[kTimeTextSize];
    for (auto _ : state) {
        std::uint32_t size = 0;
        benchmark::DoNotOptimize(
            SearchFile(platform, request, pattern, buffers, "f.txt", size, time));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchFileInSearch)->ArgsProduct({{1 << 10, 10 << 10, 1 << 20}, {0, 1}});

void BM_PatternOnly(benchmark::State& state) {
    const std::string text = MakeText(static_cast<std::size_t>(state.range(0)));
    CGrexmo pattern;
    pattern.Read("needle", false);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountHits(pattern, text.c_str(), text.size(), true));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PatternOnly)->Arg(1 << 10)->Arg(10 << 10)->Arg(1 << 20);

// Hit lines against the bare count on the same text. The first argument is the text's size;
// the second its shape: 0 prose in lines with the word every 4 KB, 1 one line without a line
// end holding the word every 64 bytes (many hits on one very long line), 2 the same 64-byte
// pieces each on a line of its own.
std::string HitLineText(std::size_t size, int shape) {
    if (shape == 0) return MakeText(size);
    std::string piece(64, 'x');
    piece.replace(10, 6, "needle");
    if (shape == 2) piece.back() = '\n';
    std::string text;
    text.reserve(size + piece.size());
    while (text.size() < size) text += piece;
    return text;
}

struct NullSink : HitLineSink {
    std::size_t lines = 0;
    bool Line(const HitLine& line) override {
        lines += line.hitCount;
        return true;
    }
};

void BM_HitLines(benchmark::State& state) {
    const std::string text = HitLineText(static_cast<std::size_t>(state.range(0)),
                                         static_cast<int>(state.range(1)));
    CGrexmo pattern;
    pattern.Read("needle", false);
    for (auto _ : state) {
        NullSink sink;
        benchmark::DoNotOptimize(ListHitLines(pattern, text.c_str(), text.size(), 2, sink));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_HitLines)->ArgsProduct({{1 << 20, 64 << 20}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

void BM_CountOnHitLineText(benchmark::State& state) {
    const std::string text = HitLineText(static_cast<std::size_t>(state.range(0)),
                                         static_cast<int>(state.range(1)));
    CGrexmo pattern;
    pattern.Read("needle", false);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountHits(pattern, text.c_str(), text.size(), true));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CountOnHitLineText)->ArgsProduct({{1 << 20, 64 << 20}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
