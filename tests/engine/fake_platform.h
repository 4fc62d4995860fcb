// Scripted stand-ins for the platform: an in-memory folder tree, message boxes with recorded
// texts and scripted answers, a message queue that runs test code at chosen entries, and a
// progress bar that records every call.
#ifndef QUELBRIX_TESTS_FAKE_PLATFORM_H
#define QUELBRIX_TESTS_FAKE_PLATFORM_H

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "engine/memory_rows.h"
#include "engine/platform.h"
#include "engine/search_driver.h"

namespace quelbrix::testing {

// The fake file system's separator: a backslash on every host, so the paths the walk builds
// meet second bytes of 0x5C (表) wherever the tests run.
constexpr char kFakeSeparator = '\\';

// "root/sub/a.txt" with the fake file system's separator.
std::string P(const std::string& path);

struct FakeFile {
    std::string content;
    bool openFails = false;
    bool openThrows = false;  // OpenForReading throws std::runtime_error
    bool readFails = false;
    std::uint64_t reportedSize = UINT64_MAX;  // UINT64_MAX: the content's length
    std::uint32_t shortRead = UINT32_MAX;     // UINT32_MAX: deliver everything asked
    CalendarTime time{2003, 7, 14, 9, 5, 0};
    int readMicroseconds = 0;  // how long a read takes, so files finish out of order
    bool mappable = false;     // Map() gives a view of the content; else it refuses
};

// Opening and reading may come from several threads at once: the records below are kept under
// a lock, and the tree itself is not changed while a search runs.
class FakeFileSystem : public FileSystem {
public:
    // Folder paths end with a separator; parents are created on the way.
    void AddFolder(const std::string& folder);
    FakeFile& AddFile(const std::string& path, const std::string& content = "");

    std::unique_ptr<FolderListing> ListFolder(const char* folder) override;
    std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                             std::size_t errorTextSize) override;
    char Separator() const override { return kFakeSeparator; }

    std::vector<std::string> listed;  // every ListFolder call, in order
    std::vector<std::string> opened;  // every OpenForReading call, in order
    int liveListings = 0;             // enumerations not yet closed
    int liveFiles = 0;                // files not yet closed
    int liveViews = 0;                // mapped views not yet unmapped
    int maps = 0;                     // Map calls, whether they gave a view or not
    int timeQueries = 0;
    // Identities the listings of these folders report; other folders report none.
    std::map<std::string, FolderIdentity> identities;

    // Adds `step` to a counter above under the lock (the open files and listings call it).
    void Count(int& counter, int step);
    // How many files were asked for so far, while a search may still run.
    std::size_t OpenedSoFar();

private:
    std::mutex mutex_;  // guards the records above while a search runs
    struct Entry {
        std::string name;
        bool isDirectory;
    };
    void AddEntry(const std::string& path, bool isDirectory);
    std::map<std::string, std::vector<Entry>> folders_;
    std::map<std::string, FakeFile> files_;
    std::set<std::string> known_;  // every entry's path
};

struct RecordedBox {
    WindowHandle owner;
    std::string text;
    std::string caption;
    BoxKind kind;
};

class ScriptedUi : public UserInterface {
public:
    BoxAnswer ShowBox(WindowHandle owner, const char* text, const char* caption,
                      BoxKind kind) override;
    bool LoadText(int id, char* buffer, std::size_t size) override;
    void PumpOneMessage() override;
    void Pause(int milliseconds) override;
    void DebugOutput(const char* text) override;

    // Runs `event` during the Nth pump (1-based) of the next searches.
    void AtPump(int n, std::function<void()> event) { events_[n] = std::move(event); }

    std::deque<BoxAnswer> answers;  // for questions; Yes when empty
    std::vector<RecordedBox> boxes;
    std::vector<std::string> debugLines;
    std::vector<int> pauses;
    int pumps = 0;

private:
    std::map<int, std::function<void()>> events_;
};

struct ProgressCall {
    std::string what;  // "range", "step", "stepit", "pos"
    std::int64_t value;
};

class RecordingProgress : public ProgressBar {
public:
    void SetRange(WindowHandle bar, std::uint32_t upper) override;
    void SetStep(WindowHandle bar, int step) override;
    void StepIt(WindowHandle bar) override;
    void SetPosition(WindowHandle bar, int position) override;

    std::vector<ProgressCall> calls;
    int position = 0;
    std::vector<WindowHandle> bars;  // the handle of every call
};

// Everything a test needs, with a list already set up.
struct FakeEngine {
    FakeEngine();

    FakeFileSystem files;
    ScriptedUi ui;
    RecordingProgress progress;
    MemoryRows rows;
    Platform platform{files, ui, progress, rows};
    EngineState state;

    // A request over `folder` with the owner and (unless null) progress handles below.
    SearchRequest Request(const std::string& folder, const char* word);
    bool Run(const SearchRequest& request) { return FindFolder(state, platform, request); }
    std::vector<std::string> Column(int column) const;

    static inline int ownerWindow = 0;
    static inline int progressBar = 0;
    std::string folderText;  // keeps the request's folder alive
};

}  // namespace quelbrix::testing

#endif
