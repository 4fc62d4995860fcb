// The hook between reading a file and matching it: recognises text written in another
// Japanese encoding and hands the matcher a Shift_JIS copy of it.
#ifndef QUELBRIX_CONVERT_STAGE_H
#define QUELBRIX_CONVERT_STAGE_H

#include <cstddef>
#include <cstdint>

#include "engine/reusable_buffer.h"
#include "kanji/kanji_code.h"

namespace quelbrix {

enum class ConvertOutcome {
    kNoConversion,  // match the text as read
    kConverted,     // `text` holds the converted, zero-terminated text
    kFailed,        // the conversion failed: the file is resolved by the error policy (126)
    kOutOfMemory,   // the new buffer could not be obtained (124)
};

struct ConvertResult {
    ConvertOutcome outcome = ConvertOutcome::kNoConversion;
    const char* text = nullptr;  // inside the caller's buffer; set only when converted
    std::size_t length = 0;      // of the converted text, without its zero
    KanjiCode code = KC_UNDECIDED;  // the detector's verdict
    // How the text was read: the verdict, except for a file that begins with a
    // UTF-16 byte-order mark and was converted: KC_UNICODE after FF FE,
    // KC_UNICODE_BE after FE FF.
    KanjiCode readAs = KC_UNDECIDED;
};

// What becomes of text the detector calls UTF-8: matched as read unless the user asked for
// UTF-8 files to be converted too.
enum class Utf8Files : bool { kMatchAsRead = false, kConvert = true };

// The detector's verdict on `length` bytes followed by a zero byte; KC_UNDECIDED for 2 GiB or
// more, which the detector cannot count.
KanjiCode DetectEncoding(const char* buffer, std::uint32_t length);

// `buffer` holds `length` bytes read from a file followed by a zero byte. ISO-2022-JP, EUC-JP
// and UTF-16LE text is converted into `converted` (2 * length + 1 bytes are asked of it), UTF-8
// text as `utf8` says. Text that begins with a UTF-16 byte-order mark (FF FE
// little-endian, FE FF big-endian) and at least one unit is converted as UTF-16 whatever the
// detector called it (binary, or something else for kanji without a zero byte), so that UTF-16
// without line breaks and big-endian UTF-16 are searched too; the mark becomes '?' as in UTF-16LE text the
// detector recognises. Every other verdict is matched as read.
ConvertResult ConvertStage(const char* buffer, std::uint32_t length, ReusableBuffer& converted,
                           Utf8Files utf8 = Utf8Files::kMatchAsRead);

}  // namespace quelbrix

#endif
