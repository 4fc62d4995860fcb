#include "engine/convert_stage.h"

#include <limits>

#include "kanji/kanji_code.h"
#include "kanji/kanji_convert.h"

namespace quelbrix {
namespace {

constexpr std::uint32_t kLargestConvertible =
    static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());

// The UTF-16 form a byte-order mark at the start names, when at least one unit follows it;
// otherwise `verdict`. The detector calls UTF-16 text without a CR or LF unit binary, as it
// does big-endian text, and text without a zero byte (kanji only) something else again; but no
// Shift_JIS, EUC-JP, ISO-2022-JP or UTF-8 text can begin with FF FE or FE FF, so the mark
// decides.
KanjiCode MarkedUtf16(const char* buffer, std::uint32_t length, KanjiCode verdict) {
    if (length < 4) return verdict;
    const auto first = static_cast<unsigned char>(buffer[0]);
    const auto second = static_cast<unsigned char>(buffer[1]);
    if (first == 0xFF && second == 0xFE) return KC_UNICODE;
    if (first == 0xFE && second == 0xFF) return KC_UNICODE_BE;
    return verdict;
}

}  // namespace

KanjiCode DetectEncoding(const char* buffer, std::uint32_t length) {
    if (length > kLargestConvertible) return KC_UNDECIDED;
    return DetectKanjiCode(buffer, static_cast<std::int32_t>(length));
}

ConvertResult ConvertStage(const char* buffer, std::uint32_t length, ReusableBuffer& converted,
                           Utf8Files utf8) {
    ConvertResult result;
    // The detector and the converters count in 32-bit signed integers; files of 2 GiB and more
    // are matched as read.
    if (length > kLargestConvertible) return result;

    const KanjiCode verdict = DetectKanjiCode(buffer, static_cast<std::int32_t>(length));
    result.code = verdict;
    result.readAs = verdict;
    // The detector's own UTF-16LE verdict keeps its path, mark and all.
    const KanjiCode code = verdict == KC_UNICODE ? verdict : MarkedUtf16(buffer, length, verdict);
    const bool convertUtf8 = code == KC_UTF8 && utf8 == Utf8Files::kConvert;
    if (code != KC_JIS && code != KC_EUC && code != KC_UNICODE && code != KC_UNICODE_BE &&
        !convertUtf8)
        return result;

    const std::size_t capacity = 2 * static_cast<std::size_t>(length);
    char* const text = converted.Reserve(capacity + 1);
    if (!text) {
        result.outcome = ConvertOutcome::kOutOfMemory;
        return result;
    }

    const auto room = static_cast<std::uint32_t>(capacity);
    std::int32_t written = -1;
    switch (code) {
    case KC_JIS:
        written = JisToSjis(text, buffer, room, length);
        break;
    case KC_EUC:
        written = EucToSjis(text, buffer, room, length);
        break;
    case KC_UTF8:
        written = Utf8ToSjis(text, buffer, room, length);
        break;
    case KC_UNICODE_BE:
        written = UnicodeBigEndianToSjis(text, buffer, room, length);
        break;
    default:
        written = UnicodeToSjis(text, buffer, room, length);
        break;
    }
    if (written < 0) {
        result.outcome = ConvertOutcome::kFailed;
        return result;
    }
    result.outcome = ConvertOutcome::kConverted;
    result.readAs = code;
    result.text = text;
    result.length = static_cast<std::size_t>(written);
    return result;
}

}  // namespace quelbrix
