#include "fake_platform.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "engine/bounded_text.h"
#include "engine/message_texts.h"
#include "engine/result_list.h"

namespace quelbrix::testing {

std::string P(const std::string& path) {
    std::string result = path;
    std::replace(result.begin(), result.end(), '/', kFakeSeparator);
    return result;
}

namespace {

class FakeListing : public FolderListing {
public:
    FakeListing(std::vector<FolderEntry> entries, FakeFileSystem& system,
                const FolderIdentity* identity)
        : entries_(std::move(entries)), system_(system), identity_(identity) {
        system_.Count(system_.liveListings, 1);
    }
    ~FakeListing() override { system_.Count(system_.liveListings, -1); }
    bool Next(FolderEntry& entry) override {
        if (next_ == entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }
    bool Identify(FolderIdentity& id) override {
        if (identity_ == nullptr) return false;
        id = *identity_;
        return true;
    }

private:
    std::vector<FolderEntry> entries_;
    std::size_t next_ = 0;
    FakeFileSystem& system_;
    const FolderIdentity* identity_;
};

// A copy of the content, counted while it lives; the string is made before the view that
// points into it.
class FakeView : public MappedView {
public:
    FakeView(std::unique_ptr<std::string> bytes, FakeFileSystem& system)
        : MappedView(bytes->data(), bytes->size()), bytes_(std::move(bytes)), system_(system) {
        system_.Count(system_.liveViews, 1);
    }
    ~FakeView() override { system_.Count(system_.liveViews, -1); }

private:
    std::unique_ptr<std::string> bytes_;
    FakeFileSystem& system_;
};

class FakeOpenFile : public OpenFile {
public:
    FakeOpenFile(const FakeFile& file, FakeFileSystem& system) : file_(file), system_(system) {
        system_.Count(system_.liveFiles, 1);
    }
    ~FakeOpenFile() override { system_.Count(system_.liveFiles, -1); }
    std::uint64_t Size() override {
        return file_.reportedSize != UINT64_MAX ? file_.reportedSize : file_.content.size();
    }
    bool LastWriteUtc(CalendarTime& time) override {
        system_.Count(system_.timeQueries, 1);
        time = file_.time;
        return true;
    }
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
        if (file_.readMicroseconds > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(file_.readMicroseconds));
        if (file_.readFails) return false;
        delivered = std::min<std::uint32_t>(
            {size, file_.shortRead, static_cast<std::uint32_t>(file_.content.size())});
        std::memcpy(buffer, file_.content.data(), delivered);
        return true;
    }
    std::unique_ptr<MappedView> Map() override {
        system_.Count(system_.maps, 1);
        if (!file_.mappable) return nullptr;
        // std::string keeps a zero after its last byte, as a mapping keeps one after the file.
        return std::make_unique<FakeView>(std::make_unique<std::string>(file_.content),
                                                system_);
    }

private:
    const FakeFile& file_;
    FakeFileSystem& system_;
};

FolderEntry MakeEntry(const std::string& name, bool isDirectory) {
    FolderEntry entry{};
    CopyBounded(entry.name, sizeof entry.name, name.c_str());
    entry.isDirectory = isDirectory;
    return entry;
}

}  // namespace

void FakeFileSystem::AddEntry(const std::string& path, bool isDirectory) {
    std::string trimmed = path;
    if (!trimmed.empty() && trimmed.back() == kFakeSeparator) trimmed.pop_back();
    std::size_t cut = trimmed.rfind(kFakeSeparator);
    if (cut == std::string::npos) return;
    std::string parent = trimmed.substr(0, cut + 1);
    std::string name = trimmed.substr(cut + 1);
    AddFolder(parent);
    if (!known_.insert(trimmed).second) return;
    folders_[parent].push_back({name, isDirectory});
}

void FakeFileSystem::AddFolder(const std::string& folder) {
    if (folders_.count(folder)) return;
    folders_[folder];
    AddEntry(folder, true);
}

FakeFile& FakeFileSystem::AddFile(const std::string& path, const std::string& content) {
    AddEntry(path, false);
    FakeFile& file = files_[path];
    file.content = content;
    return file;
}

void FakeFileSystem::Count(int& counter, int step) {
    std::lock_guard<std::mutex> lock(mutex_);
    counter += step;
}

std::size_t FakeFileSystem::OpenedSoFar() {
    std::lock_guard<std::mutex> lock(mutex_);
    return opened.size();
}

std::unique_ptr<FolderListing> FakeFileSystem::ListFolder(const char* folder) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        listed.push_back(folder);
    }
    auto found = folders_.find(folder);
    if (found == folders_.end()) return nullptr;
    std::vector<FolderEntry> entries{MakeEntry(".", true), MakeEntry("..", true)};
    for (const Entry& entry : found->second)
        entries.push_back(MakeEntry(entry.name, entry.isDirectory));
    auto identity = identities.find(folder);
    return std::make_unique<FakeListing>(
        std::move(entries), *this,
        identity != identities.end() ? &identity->second : nullptr);
}

std::unique_ptr<OpenFile> FakeFileSystem::OpenForReading(const char* path, char* errorText,
                                                         std::size_t errorTextSize) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        opened.push_back(path);
    }
    auto found = files_.find(path);
    if (found != files_.end() && found->second.openThrows) throw std::runtime_error(path);
    if (found == files_.end() || found->second.openFails) {
        CopyBounded(errorText, errorTextSize, "The system cannot find the file specified.");
        return nullptr;
    }
    return std::make_unique<FakeOpenFile>(found->second, *this);
}

BoxAnswer ScriptedUi::ShowBox(WindowHandle owner, const char* text, const char* caption,
                              BoxKind kind) {
    boxes.push_back({owner, text, caption, kind});
    if (kind != BoxKind::kErrorQuestion) return BoxAnswer::kOk;
    if (answers.empty()) return BoxAnswer::kYes;
    BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedUi::LoadText(int id, char* buffer, std::size_t size) {
    const char* text = EngineMessageText(id);
    CopyBounded(buffer, size, text != nullptr ? text : "");
    return text != nullptr;
}

void ScriptedUi::PumpOneMessage() {
    ++pumps;
    auto found = events_.find(pumps);
    if (found != events_.end()) found->second();
}

void ScriptedUi::Pause(int milliseconds) { pauses.push_back(milliseconds); }

void ScriptedUi::DebugOutput(const char* text) { debugLines.push_back(text); }

void RecordingProgress::SetRange(WindowHandle bar, std::uint32_t upper) {
    bars.push_back(bar);
    calls.push_back({"range", upper});
}
void RecordingProgress::SetStep(WindowHandle bar, int step) {
    bars.push_back(bar);
    calls.push_back({"step", step});
}
void RecordingProgress::StepIt(WindowHandle bar) {
    bars.push_back(bar);
    calls.push_back({"stepit", 0});
    ++position;
}
void RecordingProgress::SetPosition(WindowHandle bar, int value) {
    bars.push_back(bar);
    calls.push_back({"pos", value});
    position = value;
}

FakeEngine::FakeEngine() {
    InitListView(state, rows, &rows, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT, QUELBRIX_WIDTH_SIZE,
                 QUELBRIX_WIDTH_TIME);
}

SearchRequest FakeEngine::Request(const std::string& folder, const char* word) {
    SearchRequest request;
    folderText = P(folder);
    request.owner = &ownerWindow;
    request.folder = folderText.c_str();
    request.word = word;
    request.convertCodes = false;
    return request;
}

std::vector<std::string> FakeEngine::Column(int column) const {
    std::vector<std::string> cells;
    for (const MemoryRow& row : rows.rows) cells.push_back(row.cells[column]);
    return cells;
}

}  // namespace quelbrix::testing
