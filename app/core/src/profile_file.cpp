#include "app/profile_file.h"

#include <cstring>

#include "app/sjis.h"
#include "ini_text.h"

namespace quelbrix {

ProfileFile::ProfileFile(FileAccess& files, const std::string& path, const std::string& section)
    : files_(files), path_(path), section_(section) {}

void ProfileFile::SetSection(const std::string& name) { section_ = name; }

bool ProfileFile::ReadValue(const std::string& key, std::string& value) const {
    std::string text;
    return files_.ReadAll(path_, text) == ReadResult::kRead &&
           FindIniValue(text, section_, key, value);
}

unsigned ProfileFile::GetInt(const std::string& key) const {
    std::string value;
    if (!ReadValue(key, value)) return 0;
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    unsigned number = 0;  // wraps modulo 2^32 like the unsigned result it becomes
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        number = number * 10u + static_cast<unsigned>(value[i] - '0');
    }
    return negative ? 0u - number : number;
}

std::string ProfileFile::GetString(const std::string& key, std::size_t maxBytes) const {
    std::string value;
    if (!ReadValue(key, value)) return "";
    return CutAtCharBoundary(value, maxBytes);
}

std::size_t ProfileFile::GetString(const std::string& key, char* buffer,
                                   std::size_t capacity) const {
    if (buffer == nullptr || capacity == 0) return 0;
    std::string value = GetString(key, capacity - 1);
    std::memcpy(buffer, value.data(), value.size());
    buffer[value.size()] = '\0';
    return value.size();
}

bool ProfileFile::WriteInt(const std::string& key, int value) {
    return WriteString(key, std::to_string(value));
}

bool ProfileFile::WriteString(const std::string& key, const std::string& text) {
    std::string content;
    ReadResult read = files_.ReadAll(path_, content);
    if (read == ReadResult::kFailed) return false;
    if (read == ReadResult::kMissing) content.clear();  // a missing file is created
    return files_.WriteAll(path_, SetIniValue(content, section_, key, text));
}

}  // namespace quelbrix
