// Reading one file into the text the matcher sees: the file read whole, its encoding detected
// and, when asked, converted to Shift_JIS. The search and a file's hit lines read it the same.
#ifndef QUELBRIX_FILE_TEXT_H
#define QUELBRIX_FILE_TEXT_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/hit_lines.h"
#include "engine/platform.h"
#include "engine/reusable_buffer.h"

namespace quelbrix {

// What a search keeps from file to file: the file as read and its converted text; a big file's
// mapping only while that file is matched.
struct MatchBuffers {
    ReusableBuffer read;
    ReusableBuffer converted;
    std::unique_ptr<MappedView> mapped;
    // Once a file is done: gives back what is too large to keep, the mapping with it.
    void GiveBackLarge() {
        mapped.reset();
        read.GiveBackLarge();
        converted.GiveBackLarge();
    }
};

struct TextOptions {
    bool convertCodes = true;
    bool convertUtf8 = false;  // with convertCodes: UTF-8 text is converted too
    bool alwaysDetect = false;  // the verdict is wanted even when nothing is converted
    bool wantTime = false;      // the last-write time is asked of the file system
    // A file of this many bytes or more is read through a mapping when its platform offers
    // one: it would not fit the buffer kept from file to file, and copying it costs more than
    // searching it.
    std::uint64_t mapFrom = ReusableBuffer::kKeptBytes;
};

enum class TextOutcome { kRead, kNotOpened, kNotRead, kOutOfMemory, kNotConverted };

// The text of a file that was read; inside the buffers (or the mapping they hold),
// zero-terminated after `length` bytes.
struct FileText {
    const char* text = nullptr;
    std::size_t length = 0;
    FileEncoding encoding;
};

// Known as soon as the file is open, whatever happens after.
struct FileFacts {
    bool opened = false;
    std::uint64_t size = 0;
    bool timeKnown = false;
    CalendarTime lastWrite{};
};

// Reads `path`; on kNotOpened `errorText` holds the system's reason. The file is closed before
// this returns.
TextOutcome ReadFileText(FileSystem& files, const char* path, const TextOptions& options,
                         MatchBuffers& buffers, FileText& text, FileFacts& facts, char* errorText,
                         std::size_t errorTextSize);

}  // namespace quelbrix

#endif
