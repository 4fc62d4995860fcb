#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/convert_stage.h"
#include "kanji_test_support.h"

namespace quelbrix {
namespace {

using testing::Utf16;

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

}  // namespace
}  // namespace quelbrix
