#include "engine/win32_files.h"

#include <windows.h>

#include <new>
#include <string>

#include "common/win32_handles.h"
#include "engine/bounded_text.h"

namespace quelbrix {

namespace {

void CopyEntry(const WIN32_FIND_DATAA& data, FolderEntry& entry) {
    CopyBounded(entry.name, sizeof entry.name, data.cFileName);
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// FindFirstFileA delivers the first entry as it opens the enumeration.
class Win32Listing : public FolderListing {
public:
    Win32Listing(const char* folder, const char* pattern)
        : folder_(folder), find_(FindFirstFileA(pattern, &data_)) {}
    bool IsOpen() const { return find_.Valid(); }

    // The volume serial number and file index of the folder, whichever junction or link
    // led to it.
    bool Identify(FolderIdentity& id) override {
        FileHandle folder(CreateFileA(folder_.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!folder.Valid() || !GetFileInformationByHandle(folder.Get(), &info)) return false;
        id.volume = info.dwVolumeSerialNumber;
        id.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        return true;
    }

    bool Next(FolderEntry& entry) override {
        if (pending_) {
            pending_ = false;
        } else if (!FindNextFileA(find_.Get(), &data_)) {
            return false;
        }
        CopyEntry(data_, entry);
        return true;
    }

private:
    std::string folder_;
    WIN32_FIND_DATAA data_;
    FindHandle find_;
    bool pending_ = true;
};

// A view of a file's pages, unmapped when destroyed; the mapping object and the file may be
// closed before it.
class Win32View : public MappedView {
public:
    Win32View(void* base, std::size_t size)
        : MappedView(static_cast<const char*>(base), size), base_(base) {}
    ~Win32View() override { UnmapViewOfFile(base_); }
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

private:
    void* base_;
};

class Win32File : public OpenFile {
public:
    // Read access, existing files only; others may read and write meanwhile.
    explicit Win32File(const char* path)
        : path_(path),
          file_(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool IsOpen() const { return file_.Valid(); }

    std::uint64_t Size() override {
        DWORD high = 0;
        DWORD low = GetFileSize(file_.Get(), &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
        return (static_cast<std::uint64_t>(high) << 32) | low;
    }

    bool LastWriteUtc(CalendarTime& time) override {
        FILETIME written;
        SYSTEMTIME fields;
        if (!GetFileTime(file_.Get(), nullptr, nullptr, &written) ||
            !FileTimeToSystemTime(&written, &fields))
            return false;
        time = CalendarTime{fields.wYear, fields.wMonth,  fields.wDay,
                            fields.wHour, fields.wMinute, fields.wSecond};
        return true;
    }

    bool Read(char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
        DWORD got = 0;
        BOOL ok = ReadFile(file_.Get(), buffer, size, &got, nullptr);
        delivered = got;
        return ok != FALSE;
    }

    // A copy-on-write view, so that the zero after the text is written into a private copy of
    // the last page: the file's own page would show what a writer appends. A size that fills
    // its pages leaves no room for the zero, and a page of a file on a drive that can go away
    // fails to come in with an exception that this program cannot catch: such files are read.
    // While a view lives the system refuses to cut the file.
    std::unique_ptr<MappedView> Map() override {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const std::uint64_t page = system.dwPageSize;
        const std::uint64_t size = Size();
        if (size == 0 || page == 0 || size % page == 0 || size > SIZE_MAX ||
            !OnFixedLocalDrive(path_.c_str()))
            return nullptr;
        FileHandle mapping(CreateFileMappingA(file_.Get(), nullptr, PAGE_WRITECOPY, 0, 0, nullptr));
        if (!mapping.Valid()) return nullptr;
        // Exactly the size measured: a file cut since has a smaller mapping, and the view fails.
        void* base = MapViewOfFile(mapping.Get(), FILE_MAP_COPY, 0, 0, static_cast<SIZE_T>(size));
        if (base == nullptr) return nullptr;
        // Owned by the view from here on; without the memory for one, no view at all.
        std::unique_ptr<MappedView> view(new (std::nothrow)
                                             Win32View(base, static_cast<std::size_t>(size)));
        if (!view) {
            UnmapViewOfFile(base);
            return nullptr;
        }
        static_cast<char*>(base)[size] = '\0';
        return view;
    }

private:
    std::string path_;
    FileHandle file_;
};

}  // namespace

bool OnFixedLocalDrive(const char* path) {
    char volume[MAX_PATH];
    if (!GetVolumePathNameA(path, volume, sizeof volume)) return false;
    return GetDriveTypeA(volume) == DRIVE_FIXED;
}

namespace {

void DescribeLastError(char* errorText, std::size_t errorTextSize) {
    DWORD error = GetLastError();
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, errorText, static_cast<DWORD>(errorTextSize), nullptr);
    if (length == 0)
        FormatBounded(errorText, errorTextSize, "error %lu", error);
    else
        DropSplitCharacter(errorText);
}

}  // namespace

std::unique_ptr<FolderListing> Win32FileSystem::ListFolder(const char* folder) {
    std::string pattern(folder);
    pattern += "*.*";
    auto listing = std::make_unique<Win32Listing>(folder, pattern.c_str());
    if (!listing->IsOpen()) return nullptr;
    return listing;
}

std::unique_ptr<OpenFile> Win32FileSystem::OpenForReading(const char* path, char* errorText,
                                                          std::size_t errorTextSize) {
    auto file = std::make_unique<Win32File>(path);
    if (!file->IsOpen()) {
        DescribeLastError(errorText, errorTextSize);
        return nullptr;
    }
    return file;
}

}  // namespace quelbrix
