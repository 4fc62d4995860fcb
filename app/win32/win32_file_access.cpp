#include "win32_file_access.h"

#include <windows.h>

#include "win32_handles.h"

namespace quelbrix {

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

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

}  // namespace

bool Win32FileAccess::WriteAll(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const std::string fresh = path + ".new";
    // A settings path near the 260-byte limit leaves no room for the sibling's longer name;
    // the file is then written in place rather than not at all.
    if (fresh.size() >= MAX_PATH) return WriteWholeFile(path, bytes);
    if (!WriteWholeFile(fresh, bytes)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(fresh.c_str());
        return false;
    }
    return true;
}

}  // namespace quelbrix
