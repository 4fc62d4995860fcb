#include "win32_file_access.h"

#include <windows.h>

#include "common/text_limits.h"
#include "common/win32_handles.h"

namespace quelbrix {

WholeFileWrite WriteWholeFile(const std::string& path, const std::string& bytes, DWORD disposition,
                              DWORD attributes) {
    FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, attributes, nullptr));
    if (!file.Valid()) return WholeFileWrite::kNotCreated;
    if (bytes.size() > MAXDWORD) return WholeFileWrite::kWriteFailed;
    DWORD written = 0;
    const bool ok = WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) != FALSE;
    return ok && written == bytes.size() ? WholeFileWrite::kWritten : WholeFileWrite::kWriteFailed;
}

ReadResult Win32FileAccess::ReadAll(const std::string& path, std::string& bytes) {
    if (path.empty()) return ReadResult::kFailed;  // no settings file could be placed
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return missing ? ReadResult::kMissing : ReadResult::kFailed;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 16 * 1024 * 1024) {
        return ReadResult::kFailed;  // a settings file is a few kilobytes
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() &&
        (!ReadFile(file.Get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr) ||
         read != content.size())) {
        return ReadResult::kFailed;
    }
    bytes.swap(content);
    return ReadResult::kRead;
}

namespace {

// Attributes a replacement carries over from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Replaces the content of `path` itself. A hidden or system file is only replaced when those
// attributes are asked for again.
bool WrittenInPlace(const std::string& path, const std::string& bytes, DWORD attributes) {
    return WriteWholeFile(path, bytes, CREATE_ALWAYS, attributes) == WholeFileWrite::kWritten;
}

}  // namespace

std::string Win32FileAccess::SiblingName(const std::string& path, unsigned attempt) {
    // Unique per process and attempt, so two copies of the program never share a sibling.
    static unsigned counter = 0;
    char suffix[48];
    wsprintfA(suffix, ".%lx_%x_%x.new", GetCurrentProcessId(), ++counter, attempt);
    return path + suffix;
}

bool Win32FileAccess::WriteAll(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const DWORD original = GetFileAttributesA(path.c_str());
    const DWORD attributes = original != INVALID_FILE_ATTRIBUTES && (original & kKeptAttributes)
                                 ? original & kKeptAttributes
                                 : FILE_ATTRIBUTE_NORMAL;

    // The new text goes to a sibling first and is moved over the file, so a write that fails
    // half-way (a full disk) leaves the old settings whole.
    std::string fresh;
    WholeFileWrite written = WholeFileWrite::kNotCreated;
    for (unsigned attempt = 0; attempt < 4 && written == WholeFileWrite::kNotCreated; ++attempt) {
        fresh = SiblingName(path, attempt);
        // A name that does not fit the path limit cannot be created; in place it is, then.
        if (fresh.size() > kPathTextBytes) break;
        written = WriteWholeFile(fresh, bytes, CREATE_NEW, attributes);
        if (written == WholeFileWrite::kNotCreated && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    switch (written) {
    case WholeFileWrite::kNotCreated:
        // A folder where only the file itself may be written: replace its content instead.
        return WrittenInPlace(path, bytes, attributes);
    case WholeFileWrite::kWriteFailed:
        DeleteFileA(fresh.c_str());
        return false;
    case WholeFileWrite::kWritten:
        break;
    }
    if (MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    DeleteFileA(fresh.c_str());
    return WrittenInPlace(path, bytes, attributes);
}

}  // namespace quelbrix
