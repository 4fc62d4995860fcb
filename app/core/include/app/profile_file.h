// ProfileFile: the settings accessor. Every call reads the whole file afresh and every write
// stores it again at once; nothing is cached between calls. The bytes go through a FileAccess
// so the same code runs on the real file system and on an in-memory one in tests.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

enum class ReadResult { kRead, kMissing, kFailed };

class FileAccess {
public:
    virtual ~FileAccess() = default;
    // The whole content of the file. kMissing only when no file of that name exists; any other
    // failure (no access, a folder of that name, a read error) is kFailed.
    virtual ReadResult ReadAll(const std::string& path, std::string& bytes) = 0;
    // Replaces the file with `bytes`; false when that fails.
    virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
};

class ProfileFile {
public:
    // `files` must outlive the accessor.
    ProfileFile(FileAccess& files, const std::string& path, const std::string& section);

    void SetSection(const std::string& name);
    const std::string& Section() const { return section_; }

    // The value as a decimal number (leading blanks and a sign allowed, digits up to the first
    // other byte); 0 when the key is missing or the value does not start with a number.
    unsigned GetInt(const std::string& key) const;
    // Copies at most capacity - 1 bytes of the value, never ending inside a double-byte
    // character, and a terminator; returns the number of bytes copied. "" when missing.
    std::size_t GetString(const std::string& key, char* buffer, std::size_t capacity) const;
    // The value cut to at most maxBytes bytes in the same way.
    std::string GetString(const std::string& key, std::size_t maxBytes) const;

    // Writes fail without touching the file when an existing file cannot be read, so a file
    // that is locked for a moment is never replaced by one holding only the new key.
    bool WriteInt(const std::string& key, int value);
    bool WriteString(const std::string& key, const std::string& text);

private:
    bool ReadValue(const std::string& key, std::string& value) const;

    FileAccess& files_;
    std::string path_;
    std::string section_;
};

}  // namespace quelbrix
