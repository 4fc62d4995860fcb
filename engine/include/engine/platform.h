// The seams between the search logic and the platform. The logic holds only references to
// these interfaces; Win32 implements them in engine/win32/, POSIX in engine/posix/, and the
// tests replace them with scripted fakes. Every call here is per entry, per file or per row,
// never per byte.
#ifndef QUELBRIX_PLATFORM_H
#define QUELBRIX_PLATFORM_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "common/text_limits.h"

namespace quelbrix {

// Window-like objects (owner window, progress bar, result list) are opaque handles; the
// adapters know what they point to. Null means "none".
using WindowHandle = void*;

struct FolderEntry {
    char name[kPathBytes];
    bool isDirectory;
};

// Which folder a listing shows, whatever path led to it (volume and file number).
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FolderIdentity& other) const {
        return volume == other.volume && file == other.file;
    }
    // Some file systems and network redirectors answer 0 (or all ones) for every folder; such
    // an answer cannot tell two folders apart.
    bool Distinct() const { return file != 0 && file != UINT64_MAX; }
};

// One open enumeration of a folder; closed when destroyed.
class FolderListing {
public:
    virtual ~FolderListing() = default;
    // Fills `entry` with the next entry ("." and ".." included); false at the end.
    virtual bool Next(FolderEntry& entry) = 0;
    // The identity of the listed folder; false when the platform cannot tell.
    virtual bool Identify(FolderIdentity&) { return false; }
};

struct CalendarTime {
    int year, month, day, hour, minute, second;
};

// A read-only view of a file's bytes, unmapped when destroyed; it may outlive the file it was
// made from. `Data()` holds `Size()` bytes followed by a zero byte that is the view's own.
// Reading it never faults: should someone cut the file while the view lives, either the bytes
// past the cut read as zeros or the cut is refused; an adapter that can promise neither for a
// file makes no view of it.
class MappedView {
public:
    virtual ~MappedView() = default;
    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }

protected:
    MappedView(const char* data, std::size_t size) : data_(data), size_(size) {}

private:
    const char* data_;
    std::size_t size_;
};

// One file opened for reading; closed when destroyed.
class OpenFile {
public:
    virtual ~OpenFile() = default;
    virtual std::uint64_t Size() = 0;
    // The last-write time in UTC; false when the platform cannot tell.
    virtual bool LastWriteUtc(CalendarTime& time) = 0;
    // One request for `size` bytes; `delivered` may come back smaller. False on failure.
    virtual bool Read(char* buffer, std::uint32_t size, std::uint32_t& delivered) = 0;
    // The whole file, `Size()` bytes as they were when it was opened, through a mapping; null
    // when the platform or the file cannot be mapped, and the caller reads it instead.
    virtual std::unique_ptr<MappedView> Map() { return nullptr; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Lists every entry of `folder`, which ends with a separator; null when the folder cannot
    // be enumerated.
    virtual std::unique_ptr<FolderListing> ListFolder(const char* folder) = 0;
    // Opens an existing file for reading while others may read and write it. On failure
    // returns null and writes the system's text for the reason into `errorText`.
    virtual std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                                     std::size_t errorTextSize) = 0;
    // The separator the walk appends to a folder it enters.
    virtual char Separator() const = 0;
};

enum class BoxKind {
    kInformation,    // information icon, OK
    kErrorQuestion,  // error icon, Yes and No
    kErrorNotice,    // error icon, OK
};

enum class BoxAnswer { kOk, kYes, kNo };

// Message boxes, the string table, the caller's message queue and the debugger output.
class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual BoxAnswer ShowBox(WindowHandle owner, const char* text, const char* caption,
                              BoxKind kind) = 0;
    // Copies string `id` of the engine's string table into `buffer`, cut to fit; false (and
    // an empty text) when there is no such string.
    virtual bool LoadText(int id, char* buffer, std::size_t size) = 0;
    // Delivers at most one waiting message of the calling thread.
    virtual void PumpOneMessage() = 0;
    virtual void Pause(int milliseconds) = 0;
    virtual void DebugOutput(const char* text) = 0;
};

class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    virtual void SetRange(WindowHandle bar, std::uint32_t upper) = 0;
    virtual void SetStep(WindowHandle bar, int step) = 0;
    virtual void StepIt(WindowHandle bar) = 0;
    virtual void SetPosition(WindowHandle bar, int position) = 0;
};

enum class ColumnAlign { kLeft, kRight };

// Orders two rows by their sort keys: below, equal to or above zero.
using RowComparator = int (*)(std::intptr_t first, std::intptr_t second, void* context);

// The caller's report-style list control. The engine names the list once, through Bind, and
// calls the rest only while a list is bound.
class ResultRows {
public:
    virtual ~ResultRows() = default;
    // Every later call goes to `list` (null: none).
    virtual void Bind(WindowHandle list) = 0;
    virtual void AddColumn(int column, const char* header, int width, ColumnAlign align) = 0;
    // Grid lines and whole-row selection, every other extended style cleared.
    virtual void SetGridStyle() = 0;
    virtual int Count() = 0;
    // Inserts a row at `row` (0..Count) whose first cell is `text`.
    virtual void Insert(int row, const char* text) = 0;
    virtual void SetCell(int row, int column, const char* text) = 0;
    // Copies a cell's text into `buffer`, cut to fit; empty when there is no such cell.
    virtual void GetCell(int row, int column, char* buffer, std::size_t size) = 0;
    virtual void SetSortKey(int row, std::intptr_t key) = 0;
    virtual void DeleteAll() = 0;
    // Reorders the rows; `compare` receives their sort keys. Returns the platform's answer.
    virtual bool Sort(RowComparator compare, void* context) = 0;
};

// Everything the engine reaches outside itself.
struct Platform {
    FileSystem& files;
    UserInterface& ui;
    ProgressBar& progress;
    ResultRows& rows;
};

}  // namespace quelbrix

#endif
