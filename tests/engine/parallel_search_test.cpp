// The search on several threads against the one on the calling thread: random trees and
// requests, each run by FindFolder and by FindFolderOnThreads with 2, 3 and 8 threads, and every
// visible event (boxes, texts loaded, debugger lines, progress calls, rows, hit lines, in one
// transcript in their order), the answer and the counts compared.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/result_list.h"
#include "engine/search_driver.h"
#include "fake_platform.h"
#include "hit_line_recording.h"

namespace quelbrix {
namespace {

using testing::FakeFile;
using testing::FakeFileSystem;
using testing::P;

using Transcript = std::vector<std::string>;

// Every event is written down with a mark when it came from another thread than the test's:
// the user interface, the list and the sink belong to the calling thread.
struct Recorder {
    Transcript events;
    std::thread::id owner = std::this_thread::get_id();
    void Add(std::string event) {
        if (std::this_thread::get_id() != owner) event = "OFF THREAD " + event;
        events.push_back(std::move(event));
    }
};

// The boxes answer as scripted; the Nth question (1-based) may also ask the search to stop, as
// a Stop pressed while the box is open would. Pumps and pauses are not written down: only the
// driver on the calling thread makes them.
class TranscriptUi : public UserInterface {
public:
    TranscriptUi(Recorder& recorder, EngineState& state) : recorder_(recorder), state_(state) {}
    BoxAnswer ShowBox(WindowHandle owner, const char* text, const char* caption,
                      BoxKind kind) override {
        recorder_.Add("box " + std::to_string(owner != nullptr) + " " + caption + " | " + text +
                      " | " + std::to_string(static_cast<int>(kind)));
        if (kind != BoxKind::kErrorQuestion) return BoxAnswer::kOk;
        if (++questions_ == stopAtQuestion) state_.stopRequested = true;
        if (answers.empty()) return BoxAnswer::kYes;
        const BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool LoadText(int id, char* buffer, std::size_t size) override {
        recorder_.Add("load " + std::to_string(id));
        return ui_.LoadText(id, buffer, size);
    }
    void PumpOneMessage() override {}
    void Pause(int) override {}
    void DebugOutput(const char* text) override { recorder_.Add(std::string("debug ") + text); }

    std::deque<BoxAnswer> answers;
    int stopAtQuestion = 0;

private:
    Recorder& recorder_;
    EngineState& state_;
    testing::ScriptedUi ui_;  // for the string table
    int questions_ = 0;
};

class TranscriptProgress : public ProgressBar {
public:
    explicit TranscriptProgress(Recorder& recorder) : recorder_(recorder) {}
    void SetRange(WindowHandle, std::uint32_t upper) override {
        recorder_.Add("range " + std::to_string(upper));
    }
    void SetStep(WindowHandle, int step) override { recorder_.Add("step " + std::to_string(step)); }
    void StepIt(WindowHandle) override { recorder_.Add("stepit"); }
    void SetPosition(WindowHandle, int position) override {
        recorder_.Add("pos " + std::to_string(position));
    }

private:
    Recorder& recorder_;
};

class TranscriptRows : public MemoryRows {
public:
    explicit TranscriptRows(Recorder& recorder) : recorder_(recorder) {}
    void Insert(int row, const char* text) override {
        recorder_.Add("row " + std::to_string(row) + " " + text);
        MemoryRows::Insert(row, text);
    }
    void SetCell(int row, int column, const char* text) override {
        recorder_.Add("cell " + std::to_string(row) + "," + std::to_string(column) + " " + text);
        MemoryRows::SetCell(row, column, text);
    }

private:
    Recorder& recorder_;
};

// Writes down what a search's sink is given; refuses the Nth line (1-based) of the search, as
// a printer that runs out of memory does.
class TranscriptSink : public HitLineSink {
public:
    explicit TranscriptSink(Recorder& recorder) : recorder_(recorder) {}
    void BeginFile(const char* path, const FileEncoding& encoding) override {
        recorder_.Add(std::string("begin ") + path + " " + std::to_string(encoding.verdict) +
                      (encoding.converted ? " converted" : ""));
    }
    bool Line(const HitLine& line) override {
        std::string event = "line " + std::to_string(line.number) + "@" +
                            std::to_string(line.offset) + (line.context ? " context " : " ") +
                            std::string(line.text, line.length + line.endLength) + " |";
        for (std::size_t i = 0; i < line.hitCount; ++i)
            event += " " + std::to_string(line.hits[i].start) + "-" +
                     std::to_string(line.hits[i].end);
        recorder_.Add(event);
        return ++lines_ != refuseLine;
    }
    void EndFile(std::size_t searchedBytes, int hits) override {
        recorder_.Add("end " + std::to_string(searchedBytes) + " " + std::to_string(hits));
    }

    int refuseLine = 0;

private:
    Recorder& recorder_;
    int lines_ = 0;
};

struct TreeFile {
    std::string path;  // below the root, with '/'
    FakeFile file;
};

struct SearchCase {
    std::vector<TreeFile> files;
    std::vector<std::string> emptyFolders;
    std::string word;
    bool useRegex = false;
    std::string extensions;
    bool subfolders = false;
    bool relative = false;
    bool countHits = true;
    bool convert = false;
    bool progress = false;
    int policy = 0;
    std::deque<BoxAnswer> answers;
    int stopAtQuestion = 0;
    bool hitLines = false;
    int contextLines = 0;
    int refuseLine = 0;
};

// One search of a case on a platform of its own.
struct SearchRun {
    Transcript events;
    bool answer = false;
    std::int32_t hitFiles = 0, examined = 0, nextRow = 0;
    std::vector<std::string> cells;
    int liveFiles = 0, liveListings = 0;
};

SearchRun RunCase(const SearchCase& c, unsigned threads) {
    Recorder recorder;
    EngineState state;
    FakeFileSystem files;
    for (const TreeFile& f : c.files) files.AddFile(P("root/" + f.path)) = f.file;
    for (const std::string& folder : c.emptyFolders) files.AddFolder(P("root/" + folder));
    files.AddFolder(P("root/"));
    TranscriptUi ui(recorder, state);
    ui.answers = c.answers;
    ui.stopAtQuestion = c.stopAtQuestion;
    TranscriptProgress progress(recorder);
    TranscriptRows rows(recorder);
    TranscriptSink sink(recorder);
    sink.refuseLine = c.refuseLine;
    Platform platform{files, ui, progress, rows};
    InitListView(state, rows, &rows, 100, 50, 50, 100);

    static int owner, bar;
    const std::string folder = P("root/");
    SearchRequest request;
    request.owner = &owner;
    request.folder = folder.c_str();
    request.word = c.word.c_str();
    request.useRegex = c.useRegex;
    request.extensions = c.extensions.c_str();
    request.searchSubfolders = c.subfolders;
    request.relativePaths = c.relative;
    request.countHits = c.countHits;
    request.convertCodes = c.convert;
    request.progress = c.progress ? &bar : nullptr;
    request.errorPolicy = static_cast<ErrorPolicy>(c.policy);
    request.hitLines = c.hitLines ? &sink : nullptr;
    request.contextLines = c.contextLines;

    recorder.events.clear();  // the list's set-up
    SearchRun run;
    run.answer = threads == 0 ? FindFolder(state, platform, request)
                              : FindFolderOnThreads(state, platform, request, threads);
    run.events = recorder.events;
    run.hitFiles = state.hitFileCount;
    run.examined = state.examinedFileCount;
    run.nextRow = state.nextRow;
    for (const MemoryRow& row : rows.rows)
        for (const std::string& cell : row.cells) run.cells.push_back(cell);
    run.liveFiles = files.liveFiles;
    run.liveListings = files.liveListings;
    return run;
}

template <class T>
const T& Pick(std::mt19937& random, const std::vector<T>& choices) {
    return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
}

bool Chance(std::mt19937& random, int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
}

std::string RandomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "ab", "x", "abab", "a", "b", "表示", "\n", "\r\n", " ", "ａｂ", "yy", "\n\n"};
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, 30)(random);
    for (int i = 0; i < count; ++i) text += Pick(random, pieces);
    return text;
}

SearchCase RandomCase(std::mt19937& random) {
    SearchCase c;
    const std::vector<std::string> folders = {"", "sub/", "sub/deep/", "other/", "表/"};
    const std::vector<std::string> extensions = {".txt", ".html", ".log", ".TXT", ""};
    const int count = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < count; ++i) {
        TreeFile f;
        f.path = Pick(random, folders) + "f" + std::to_string(i) + Pick(random, extensions);
        f.file.content = RandomText(random);
        f.file.openFails = Chance(random, 8);
        f.file.readFails = Chance(random, 6);
        if (Chance(random, 10))
            f.file.shortRead = std::uniform_int_distribution<std::uint32_t>(0, 5)(random);
        if (Chance(random, 30))
            f.file.readMicroseconds = std::uniform_int_distribution<int>(1, 2000)(random);
        c.files.push_back(f);
    }
    if (Chance(random, 30)) c.emptyFolders.push_back("empty/");
    c.useRegex = Chance(random, 40);
    c.word = c.useRegex ? Pick(random, std::vector<std::string>{"a+b?", "^ab", "b$", "表|x"})
                        : Pick(random, std::vector<std::string>{"ab", "a", "表示", "ｂ"});
    c.extensions = Pick(random, std::vector<std::string>{"", "txt,", "txt,html,", "TXT,txt,",
                                                         "log", ",,"});
    c.subfolders = Chance(random, 70);
    c.relative = Chance(random, 50);
    c.countHits = Chance(random, 70);
    c.convert = Chance(random, 30);
    c.progress = Chance(random, 50);
    c.policy = Pick(random, std::vector<int>{0, 0, 1, 1, 2, 5});
    const int answers = std::uniform_int_distribution<int>(0, 4)(random);
    for (int i = 0; i < answers; ++i)
        c.answers.push_back(Chance(random, 70) ? BoxAnswer::kYes : BoxAnswer::kNo);
    if (Chance(random, 15)) c.stopAtQuestion = std::uniform_int_distribution<int>(1, 3)(random);
    c.hitLines = Chance(random, 50);
    c.contextLines = Chance(random, 50) ? std::uniform_int_distribution<int>(0, 2)(random) : 0;
    if (c.hitLines && Chance(random, 15))
        c.refuseLine = std::uniform_int_distribution<int>(1, 20)(random);
    return c;
}

void ExpectSameRun(const SearchRun& single, const SearchRun& parallel) {
    EXPECT_EQ(parallel.events, single.events);
    EXPECT_EQ(parallel.answer, single.answer);
    EXPECT_EQ(parallel.hitFiles, single.hitFiles);
    EXPECT_EQ(parallel.examined, single.examined);
    EXPECT_EQ(parallel.nextRow, single.nextRow);
    EXPECT_EQ(parallel.cells, single.cells);
    // Every thread is joined, so every file and listing is closed.
    EXPECT_EQ(parallel.liveFiles, 0);
    EXPECT_EQ(parallel.liveListings, 0);
}

TEST(ParallelSearchTest, RandomSearchesShowWhatTheSingleThreadShows) {
    std::mt19937 random(20261209);
    int endedEarly = 0, questions = 0, lines = 0;
    for (int round = 0; round < 150; ++round) {
        const SearchCase c = RandomCase(random);
        const SearchRun single = RunCase(c, 0);
        endedEarly += single.answer ? 0 : 1;
        for (const std::string& event : single.events) {
            questions += event.find("検索をこのまま続行しますか") != std::string::npos;
            lines += event.rfind("line ", 0) == 0;
        }
        for (unsigned threads : {2u, 3u, 8u}) {
            SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(threads) +
                         " threads");
            ExpectSameRun(single, RunCase(c, threads));
        }
    }
    // The cases reach what they are meant to: searches ended early, questions and hit lines.
    EXPECT_GT(endedEarly, 15);
    EXPECT_GT(questions, 15);
    EXPECT_GT(lines, 100);
}

// Many files behind a slow first one: nothing after the file that ends the search is shown,
// however far the workers went.
TEST(ParallelSearchTest, AFileThatStopsTheSearchEndsItWhereOneThreadEndsIt) {
    struct Ending {
        int policy;
        std::deque<BoxAnswer> answers;
    };
    for (const Ending& ending : {Ending{2, {}}, Ending{0, {BoxAnswer::kNo}}, Ending{5, {}}}) {
        SearchCase c;
        c.word = "ab";
        c.policy = ending.policy;
        c.answers = ending.answers;
        c.hitLines = true;
        for (int i = 0; i < 120; ++i) {
            TreeFile f{"f" + std::to_string(1000 + i) + ".txt", {}};
            f.file.content = "ab\nab\n";
            f.file.readMicroseconds = i == 0 ? 20000 : 0;
            f.file.openFails = i == 5;
            c.files.push_back(f);
        }
        const SearchRun single = RunCase(c, 0);
        ASSERT_FALSE(single.answer);
        EXPECT_EQ(single.hitFiles, 5);
        const SearchRun parallel = RunCase(c, 8);
        ExpectSameRun(single, parallel);
    }
}

// The walk waits for the calling thread: while the first file is still being read, only a few
// runs of files per thread have been opened, not the whole tree.
TEST(ParallelSearchTest, FilesInFlightStayFewWhateverTheTree) {
    EngineState state;
    FakeFileSystem files;
    for (int i = 0; i < 3000; ++i)
        files.AddFile(P("root/f" + std::to_string(1000 + i) + ".txt"), "ab").readMicroseconds =
            i == 0 ? 30000 : 0;
    Recorder recorder;
    TranscriptUi ui(recorder, state);
    TranscriptProgress progress(recorder);
    std::size_t openedAtFirstRow = 0;
    class FirstRowWatch : public MemoryRows {
    public:
        FirstRowWatch(FakeFileSystem& files, std::size_t& opened) : files_(files), opened_(opened) {}
        void Insert(int row, const char* text) override {
            if (row == 0) opened_ = files_.OpenedSoFar();
            MemoryRows::Insert(row, text);
        }

    private:
        FakeFileSystem& files_;
        std::size_t& opened_;
    } rows(files, openedAtFirstRow);
    Platform platform{files, ui, progress, rows};
    InitListView(state, rows, &rows, 100, 50, 50, 100);
    const std::string folder = P("root/");
    SearchRequest request;
    request.folder = folder.c_str();
    request.word = "ab";
    ASSERT_TRUE(FindFolderOnThreads(state, platform, request, 2));
    EXPECT_EQ(rows.rows.size(), 3000u);
    EXPECT_GE(openedAtFirstRow, 1u);
    EXPECT_LE(openedAtFirstRow, 300u);
}

// What the file system throws comes out of the search after the files before it are shown, on
// one thread and on several, and no thread is left running.
TEST(ParallelSearchTest, AnExceptionOfAFileComesOutInItsTurn) {
    SearchCase c;
    c.word = "ab";
    for (int i = 0; i < 30; ++i) {
        TreeFile f{"f" + std::to_string(1000 + i) + ".txt", {}};
        f.file.content = "ab";
        f.file.openThrows = i == 12;
        c.files.push_back(f);
    }
    for (unsigned threads : {0u, 4u}) {
        SCOPED_TRACE(threads);
        EXPECT_THROW(RunCase(c, threads), std::runtime_error);
    }
}

TEST(ParallelSearchTest, OneThreadIsTheSearchOnTheCallingThread) {
    testing::FakeEngine engine;
    engine.files.AddFile(P("root/a.txt"), "ab");
    engine.files.AddFile(P("root/b.txt"), "ab");
    auto request = engine.Request("root/", "ab");
    // A Stop pressed during the first entry's dispatch ends the search before b.txt.
    engine.ui.AtPump(1, [&engine] { engine.state.stopRequested = true; });
    EXPECT_FALSE(FindFolderOnThreads(engine.state, engine.platform, request, 1));
    EXPECT_EQ(engine.Column(0), (std::vector<std::string>{P("root/a.txt")}));
    EXPECT_EQ(engine.ui.pauses, (std::vector<int>{1}));
}

// A recording replays the lines it was given, and a sink that refuses a line gets no more.
TEST(HitLineRecordingTest, ReplaysLinesUntilTheSinkRefusesOne) {
    const HitRange ranges[] = {{0, 2}, {3, 5}};
    HitLine first;
    first.number = 1;
    first.text = "ab ab\r\nzz";
    first.length = 5;
    first.endLength = 2;
    first.hits = ranges;
    first.hitCount = 2;
    HitLine context;
    context.number = 2;
    context.offset = 7;
    context.text = "zz";
    context.length = 2;
    context.context = true;

    HitLineRecording recording;
    FileEncoding encoding;
    encoding.verdict = KC_SJIS;
    recording.BeginFile("ignored", encoding);
    EXPECT_TRUE(recording.Line(first));
    EXPECT_TRUE(recording.Line(context));
    recording.EndFile(9, 2);

    for (int refuse : {0, 1, 2}) {
        SCOPED_TRACE(refuse);
        Recorder recorder;
        TranscriptSink sink(recorder);
        sink.refuseLine = refuse;
        const int given = recording.Replay("p.txt", sink);
        const Transcript whole = {"begin p.txt " + std::to_string(KC_SJIS),
                                  "line 1@0 ab ab\r\n | 0-2 3-5", "line 2@7 context zz |",
                                  "end 9 2"};
        Transcript expected = whole;
        if (refuse == 1) expected = {whole[0], whole[1], "end 9 2"};
        EXPECT_EQ(recorder.events, expected);
        EXPECT_EQ(given, 2);
    }
    recording.Clear();
    Recorder recorder;
    TranscriptSink sink(recorder);
    EXPECT_EQ(recording.Replay("p.txt", sink), 0);
    EXPECT_TRUE(recorder.events.empty());
}

// Past its limit a recording asks for no more lines and says it is incomplete, and the search
// then lists the file as one thread does: the sink gets every line.
TEST(HitLineRecordingTest, ALineOverItsLimitLeavesItIncomplete) {
    HitLine line;
    line.text = "abcdef\n";
    line.length = 6;
    line.endLength = 1;
    HitLineRecording recording;
    recording.Limit(HitLineRecording::LineBytes(line) + 1);
    recording.BeginFile("p", FileEncoding{});
    EXPECT_TRUE(recording.Line(line));
    EXPECT_FALSE(recording.Line(line));
    EXPECT_TRUE(recording.Incomplete());
    recording.Clear();
    EXPECT_FALSE(recording.Incomplete());

    // Short lines count their records too, so the limit bounds what the recording holds.
    const HitRange hit{0, 1};
    HitLine shortLine;
    shortLine.text = "a\n";
    shortLine.length = 1;
    shortLine.endLength = 1;
    shortLine.hits = &hit;
    shortLine.hitCount = 1;
    recording.Limit(1000);
    recording.BeginFile("p", FileEncoding{});
    std::size_t kept = 0;
    while (kept < 1000 && recording.Line(shortLine)) ++kept;
    EXPECT_TRUE(recording.Incomplete());
    EXPECT_LE(kept * (shortLine.length + shortLine.endLength + sizeof hit), 1000u / 4);
    recording.Clear();

    SearchCase c;
    c.word = "ab";
    c.hitLines = true;
    c.contextLines = 1;
    std::string large;
    for (int i = 0; i < 20000; ++i) large += i % 2 == 0 ? "ab ab ab\r\n" : "no hit here\n";
    for (int i = 0; i < 12; ++i) c.files.push_back({"f" + std::to_string(10 + i) + ".txt", {}});
    c.files[3].file.content = large;
    c.files[7].file.content = large + large;
    const SearchRun single = RunCase(c, 0);
    ExpectSameRun(single, RunCase(c, 256));
    EXPECT_GT(single.events.size(), 40000u);
}

}  // namespace
}  // namespace quelbrix
