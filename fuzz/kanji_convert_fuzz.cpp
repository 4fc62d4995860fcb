// The five converters to Shift_JIS at capacities taken from the input. The destination is
// exactly `capacity` bytes, so a byte written at or past it is caught. At every capacity the
// result is the whole output when it fits below the capacity and -1 otherwise; ISO-2022-JP
// and EUC-JP give the same told the data length (in blocks) as character by character; UTF-8
// never gives more bytes than it was given; big-endian UTF-16 gives what the little-endian
// converter gives for the same units swapped.
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "kanji/kanji_convert.h"

using namespace quelbrix;
using quelbrix_fuzz::Input;
using quelbrix_fuzz::Shown;

namespace {

enum class Form { kJis, kEuc, kUnicode, kUtf8, kUnicodeBigEndian };

// The whole units of `source` with their bytes swapped; an odd last byte left out.
std::string Swapped(const std::string& source) {
    std::string out;
    for (std::size_t i = 0; i + 1 < source.size(); i += 2) {
        out += source[i + 1];
        out += source[i];
    }
    return out;
}

struct Result {
    std::int32_t result;
    std::string text;
};

// One call into a destination of exactly `capacity` bytes; `told` passes the data length.
Result Convert(Form form, const std::string& source, std::uint32_t capacity, bool told) {
    std::unique_ptr<char[]> dest(new char[capacity]);
    const auto length = static_cast<std::uint32_t>(source.size());
    std::int32_t r = -1;
    switch (form) {
    case Form::kJis:
        r = told ? JisToSjis(dest.get(), source.c_str(), capacity, length)
                 : JisToSjis(dest.get(), source.c_str(), capacity);
        break;
    case Form::kEuc:
        r = told ? EucToSjis(dest.get(), source.c_str(), capacity, length)
                 : EucToSjis(dest.get(), source.c_str(), capacity);
        break;
    case Form::kUnicode:
        r = UnicodeToSjis(dest.get(), source.c_str(), capacity, length);
        break;
    case Form::kUtf8:
        r = Utf8ToSjis(dest.get(), source.c_str(), capacity, length);
        break;
    case Form::kUnicodeBigEndian:
        r = UnicodeBigEndianToSjis(dest.get(), source.c_str(), capacity, length);
        break;
    }
    const std::string what =
        "capacity " + std::to_string(capacity) + ", source '" + Shown(source) + "'";
    FUZZ_CHECK(r == -1 || (r >= 0 && static_cast<std::uint32_t>(r) < capacity), what);
    if (r < 0) return {r, ""};
    FUZZ_CHECK(dest[r] == '\0', what);
    return {r, std::string(dest.get(), r)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const Form form = static_cast<Form>(in.Pick(5));
    const bool toldOnly = form != Form::kJis && form != Form::kEuc;
    const std::uint32_t drawn = in.Uint32();
    std::string source = in.Rest();
    if (!toldOnly) {
        // The paths agree on data that ends at its terminating zero; a zero inside the data is
        // still run through the told-the-length path for the capacity checks.
        Convert(form, source, static_cast<std::uint32_t>(2 * source.size() + 16), true);
        source = source.substr(0, source.find('\0'));
    }
    const bool told = false;  // the character path; UTF-16 and UTF-8 are always told the length
    const Result whole =
        Convert(form, source, static_cast<std::uint32_t>(2 * source.size() + 16), told);
    const std::string what = "source '" + Shown(source) + "'";
    FUZZ_CHECK(whole.result >= 0, "twice the input did not fit: " + what);
    FUZZ_CHECK(form != Form::kUtf8 || whole.text.size() <= source.size(), "UTF-8 grew: " + what);
    const auto needed = static_cast<std::uint32_t>(whole.text.size());
    const std::uint32_t capacities[] = {needed, needed + 1, drawn % (needed + 3)};
    for (std::uint32_t capacity : capacities) {
        const Result one = Convert(form, source, capacity, told);
        const std::string at = what + ", capacity " + std::to_string(capacity);
        if (capacity > needed) {
            FUZZ_CHECK(one.result == whole.result && one.text == whole.text, at);
        } else {
            FUZZ_CHECK(one.result == -1, at);
        }
        if (form == Form::kUnicodeBigEndian) {
            const Result little = Convert(Form::kUnicode, Swapped(source), capacity, told);
            FUZZ_CHECK(little.result == one.result && little.text == one.text,
                       "big-endian differs from the swapped little-endian: " + at);
        }
        if (!toldOnly) {
            const Result blocks = Convert(form, source, capacity, true);
            FUZZ_CHECK(blocks.result == one.result && blocks.text == one.text,
                       "block path differs: " + at);
        }
    }
    return 0;
}
