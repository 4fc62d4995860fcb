#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/convert_stage.h"
#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::Utf16;
using testing::Utf16Be;

// The matcher's read buffer: the bytes and one terminating zero; the text as converted.
struct StageAnswer {
    ConvertOutcome outcome;
    bool hasText;
    std::string text;
};

StageAnswer Stage(const std::string& bytes, ReusableBuffer&& converted = ReusableBuffer()) {
    const std::string buffer = bytes + '\0';
    const ConvertResult result =
        ConvertStage(buffer.data(), static_cast<std::uint32_t>(bytes.size()), converted);
    return {result.outcome, result.text != nullptr, result.text ? result.text : ""};
}

struct StageCase {
    const char* name;
    std::string bytes;
    ConvertOutcome outcome;
    std::string text;  // the converted text, when converted
};

void PrintTo(const StageCase& c, std::ostream* os) { *os << c.name; }

class ConvertStageTest : public ::testing::TestWithParam<StageCase> {};

TEST_P(ConvertStageTest, AnswersByVerdict) {
    const StageCase& c = GetParam();
    const StageAnswer result = Stage(c.bytes);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.hasText, c.outcome == ConvertOutcome::kConverted);
    EXPECT_EQ(result.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Verdicts, ConvertStageTest,
    ::testing::Values(
        StageCase{"Jis", "\x1B$B$\"$$\x1B(B!", ConvertOutcome::kConverted, "\x82\xA0\x82\xA2!"},
        StageCase{"Euc", "\xA4\xA2\xA4\xA4", ConvertOutcome::kConverted, "\x82\xA0\x82\xA2"},
        StageCase{"Unicode", Utf16({0xFEFF, 0x3042, 0x0D, 0x0A}), ConvertOutcome::kConverted,
                  "?\x82\xA0\r\n"},
        StageCase{"UnicodeOddLength", Utf16({'a', 0x0D, 0x0A}) + "b", ConvertOutcome::kConverted,
                  "a\r\nb"},
        StageCase{"ShiftJis", "\x82\xA0\x82\xA2", ConvertOutcome::kNoConversion, ""},
        StageCase{"Utf8", "\xE3\x81\x82", ConvertOutcome::kNoConversion, ""},
        StageCase{"Utf7", "plain", ConvertOutcome::kNoConversion, ""},
        StageCase{"Ascii", "a + b", ConvertOutcome::kNoConversion, ""},
        StageCase{"Undecided", "\x82\xA0 \xA4\xA2 ", ConvertOutcome::kNoConversion, ""},
        StageCase{"Binary", std::string("ab\0\0cd", 6), ConvertOutcome::kNoConversion, ""},
        StageCase{"Empty", "", ConvertOutcome::kNoConversion, ""},
        StageCase{"OneByte", "\xA4", ConvertOutcome::kNoConversion, ""}));


// A file the detector calls binary is still read as UTF-16 when it begins with a byte-order
// mark; the detector's verdict is kept beside how the text was read.
TEST(ConvertStage, MarkedUtf16TheDetectorCallsBinaryIsConverted) {
    struct Case {
        const char* name;
        std::string bytes;
        ConvertOutcome outcome;
        std::string text;
        KanjiCode verdict;
        KanjiCode readAs;
    };
    const Case cases[] = {
        {"little-endian without a line break", Utf16({0xFEFF, 'a', 0x8868}),
         ConvertOutcome::kConverted, "?a\x95\x5C", KC_BINARY, KC_UNICODE},
        {"big-endian without a line break", Utf16Be({0xFEFF, 'a', 0x8868}),
         ConvertOutcome::kConverted, "?a\x95\x5C", KC_BINARY, KC_UNICODE_BE},
        {"big-endian with line breaks", Utf16Be({0xFEFF, 'a', 0x0D, 0x0A, 'b'}),
         ConvertOutcome::kConverted, "?a\r\nb", KC_BINARY, KC_UNICODE_BE},
        // Hangul sets the detector's foreign-byte flag: binary despite the line break.
        {"little-endian with Hangul", Utf16({0xFEFF, 0xAC00, 0x0D, 0x0A, 'a'}),
         ConvertOutcome::kConverted, "??\r\na", KC_BINARY, KC_UNICODE},
        {"big-endian of odd length", Utf16Be({0xFEFF, 'a'}) + "\x30",
         ConvertOutcome::kConverted, "?a", KC_BINARY, KC_UNICODE_BE},
        {"little-endian of odd length", Utf16({0xFEFF, 'a'}) + "b", ConvertOutcome::kConverted,
         "?ab", KC_BINARY, KC_UNICODE},
        // A mark alone holds no zero byte: the detector does not call it binary, and it is
        // matched as read, as before.
        {"only the little-endian mark", "\xFF\xFE", ConvertOutcome::kNoConversion, "",
         KC_UTF7, KC_UTF7},
        {"only the big-endian mark", "\xFE\xFF", ConvertOutcome::kNoConversion, "",
         KC_UTF7, KC_UTF7},
        {"a mark and one character", std::string("\xFE\xFF\0A", 4),
         ConvertOutcome::kConverted, "?A", KC_BINARY, KC_UNICODE_BE},
        {"big-endian mark and a zero unit", std::string("\xFE\xFF\0\0a", 5),
         ConvertOutcome::kConverted, "?", KC_BINARY, KC_UNICODE_BE},
        // Without a mark, binary stays binary.
        {"little-endian without a mark", Utf16({'a', 0x8868}), ConvertOutcome::kNoConversion, "",
         KC_BINARY, KC_BINARY},
        {"big-endian without a mark", Utf16Be({'a', 0x8868}), ConvertOutcome::kNoConversion, "",
         KC_BINARY, KC_BINARY},
        {"mark later in the data", Utf16({'a', 0xFEFF, 'b'}), ConvertOutcome::kNoConversion, "",
         KC_BINARY, KC_BINARY},
        // The detector's own UTF-16LE verdict keeps its mark as '?', as before.
        {"recognised little-endian", Utf16({0xFEFF, 0x3042, 0x0D, 0x0A}),
         ConvertOutcome::kConverted, "?\x82\xA0\r\n", KC_UNICODE, KC_UNICODE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string buffer = c.bytes + '\0';
        ReusableBuffer converted;
        const ConvertResult result =
            ConvertStage(buffer.data(), static_cast<std::uint32_t>(c.bytes.size()), converted);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.code, c.verdict);
        EXPECT_EQ(result.readAs, c.readAs);
        ASSERT_EQ(result.text != nullptr, c.outcome == ConvertOutcome::kConverted);
        if (result.text != nullptr) {
            EXPECT_EQ(std::string(result.text, result.length), c.text);
            EXPECT_EQ(result.text[result.length], '\0');
        }
    }
}

// Kanji only, no zero byte: the detector does not call it binary, but the mark still decides.
TEST(ConvertStage, MarkedUtf16WithoutAZeroByteIsConvertedToo) {
    struct Case {
        const char* name;
        std::string bytes;
        KanjiCode readAs;
    };
    const Case cases[] = {
        {"little-endian", Utf16({0xFEFF, 0x65E5, 0x672C, 0x8A9E}), KC_UNICODE},
        {"big-endian", Utf16Be({0xFEFF, 0x65E5, 0x672C, 0x8A9E}), KC_UNICODE_BE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.bytes.find('\0'), std::string::npos);
        const std::string buffer = c.bytes + '\0';
        ReusableBuffer converted;
        const ConvertResult result =
            ConvertStage(buffer.data(), static_cast<std::uint32_t>(c.bytes.size()), converted);
        EXPECT_NE(result.code, KC_BINARY);
        EXPECT_EQ(result.readAs, c.readAs);
        ASSERT_EQ(result.outcome, ConvertOutcome::kConverted);
        EXPECT_EQ(std::string(result.text, result.length), "?\x93\xFA\x96\x7B\x8C\xEA");
    }
}

// The new little-endian path gives what the detector's UTF-16LE path gives for the same text.
TEST(ConvertStage, MarkedLittleEndianReadsAsTheRecognisedPathWould) {
    const std::string units = Utf16({0xFEFF, 0x65E5, 0x672C, 'x', 0xFF71});
    const std::string recognised = units + Utf16({0x0D, 0x0A});
    ReusableBuffer a, b;
    const ConvertResult plain = ConvertStage((units + '\0').c_str(),
                                             static_cast<std::uint32_t>(units.size()), a);
    const ConvertResult broken = ConvertStage((recognised + '\0').c_str(),
                                              static_cast<std::uint32_t>(recognised.size()), b);
    ASSERT_EQ(plain.code, KC_BINARY);
    ASSERT_EQ(broken.code, KC_UNICODE);
    ASSERT_EQ(plain.outcome, ConvertOutcome::kConverted);
    EXPECT_EQ(std::string(plain.text, plain.length) + "\r\n",
              std::string(broken.text, broken.length));
}

TEST(ConvertStage, Utf8IsConvertedOnlyWhenAsked) {
    const std::string utf8 = "\xE3\x81\x82\xE3\x81\x84";  // あい
    ReusableBuffer converted;
    const ConvertResult asked =
        ConvertStage((utf8 + '\0').c_str(), static_cast<std::uint32_t>(utf8.size()), converted,
                     Utf8Files::kConvert);
    ASSERT_EQ(asked.outcome, ConvertOutcome::kConverted);
    EXPECT_EQ(std::string(asked.text), "\x82\xA0\x82\xA2");
    EXPECT_EQ(Stage(utf8).outcome, ConvertOutcome::kNoConversion);
    // Asking for UTF-8 leaves Shift_JIS text as read.
    const std::string sjis = "\x82\xA0\x82\xA2";
    EXPECT_EQ(ConvertStage((sjis + '\0').c_str(), static_cast<std::uint32_t>(sjis.size()),
                           converted, Utf8Files::kConvert)
                  .outcome,
              ConvertOutcome::kNoConversion);
}

std::size_t g_requested = 0;

std::unique_ptr<char[]> RefuseAllocation(std::size_t bytes) {
    g_requested = bytes;
    return nullptr;
}

std::unique_ptr<char[]> RecordAllocation(std::size_t bytes) {
    g_requested = bytes;
    return std::unique_ptr<char[]>(new char[bytes]);
}

TEST(ConvertStage, AsksForTwiceTheLengthPlusOne) {
    const std::string jis = "\x1B$B$\"\x1B(B";
    ReusableBuffer converted(RecordAllocation);
    converted.Reserve(ReusableBuffer::kKeptBytes);
    g_requested = 0;
    // Longer than what is kept: the request reaches the allocator as it is.
    const std::string text = jis + std::string(ReusableBuffer::kKeptBytes / 2, 'a');
    EXPECT_EQ(Stage(text, std::move(converted)).outcome, ConvertOutcome::kConverted);
    EXPECT_EQ(g_requested, 2 * text.size() + 1);
}

TEST(ConvertStage, BufferThatCannotBeObtainedIsOutOfMemory) {
    const StageAnswer result = Stage("\xA4\xA2\xA4\xA4", ReusableBuffer(RefuseAllocation));
    EXPECT_EQ(result.outcome, ConvertOutcome::kOutOfMemory);
    EXPECT_FALSE(result.hasText);
}

TEST(ConvertStage, TextMatchedAsReadObtainsNoBuffer) {
    g_requested = 0;
    const StageAnswer result = Stage("\x82\xA0\x82\xA2", ReusableBuffer(RefuseAllocation));
    EXPECT_EQ(result.outcome, ConvertOutcome::kNoConversion);
    EXPECT_EQ(g_requested, 0u);
}

TEST(ConvertStage, EvenLengthUtf16StopsAtTheEndOfTheData) {
    // The read buffer carries one zero byte only; what lies after it is not part of the text.
    std::string buffer = Utf16({0x3042, 0x0D, 0x0A});
    const auto length = static_cast<std::uint32_t>(buffer.size());
    buffer += std::string("\0X\0Y\0", 5);
    ReusableBuffer converted;
    const ConvertResult result = ConvertStage(buffer.data(), length, converted);
    ASSERT_EQ(result.outcome, ConvertOutcome::kConverted);
    EXPECT_EQ(std::string(result.text), "\x82\xA0\r\n");
}

// The big-endian text is swapped a block at a time: it needs no more memory than any other
// conversion.
TEST(ConvertStage, BigEndianAsksForTwiceTheLengthPlusOneToo) {
    std::string be = Utf16Be({0xFEFF});
    for (std::size_t i = 0; i < ReusableBuffer::kKeptBytes / 4; ++i) be += Utf16Be({'a'});
    ReusableBuffer converted(RecordAllocation);
    converted.Reserve(ReusableBuffer::kKeptBytes);
    g_requested = 0;
    const ConvertResult result =
        ConvertStage((be + '\0').c_str(), static_cast<std::uint32_t>(be.size()), converted);
    ASSERT_EQ(result.outcome, ConvertOutcome::kConverted);
    EXPECT_EQ(result.length, ReusableBuffer::kKeptBytes / 4 + 1);
    EXPECT_EQ(g_requested, 2 * be.size() + 1);
}

}  // namespace
}  // namespace quelbrix
