#include "whole_file.h"

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

}  // namespace quelbrix
