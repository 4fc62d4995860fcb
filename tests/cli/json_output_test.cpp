// The --json form: JSON strings and base64, the messages of hit lines with their UTF-8
// offsets, and what is given as bytes. Literals in u8"" are UTF-8; the others are Shift_JIS.
#include <gtest/gtest.h>

#include <string>

#include "json_messages.h"
#include "json_text.h"
#include "line_records.h"

namespace {

using quelbrix::PrintedLine;
using quelbrix::SearchStats;
using quelbrix_test::ContextLineOf;
using quelbrix_test::HitLineOf;
using quelbrix_test::LineRecord;

std::string Utf8(const char* text) { return text; }

struct EscapeCase {
    std::string text;
    std::string json;
};

TEST(JsonText, EscapesWhatAStringCannotHold) {
    const EscapeCase cases[] = {
        {"", "\"\""},
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\dir\\", "\"C:\\\\dir\\\\\""},
        {"a\nb\r\n\tc", "\"a\\nb\\r\\n\\tc\""},
        {"\b\f", "\"\\b\\f\""},
        {std::string("\0\x01\x1F", 3), "\"\\u0000\\u0001\\u001f\""},
        {"\x7F/", "\"\x7F/\""},  // DEL and the slash need no escape
        {Utf8(u8"表示"), Utf8(u8"\"表示\"")},
    };
    for (const EscapeCase& c : cases) {
        std::string out;
        quelbrix::AppendJsonString(out, c.text.data(), c.text.size());
        EXPECT_EQ(out, c.json);
    }
}

TEST(JsonText, Base64AsRfc4648) {
    const EscapeCase cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xFF\xFE\xFD", "//79"},
        {std::string("\0\x81\xAD", 3), "AIGt"},
    };
    for (const EscapeCase& c : cases) {
        std::string out;
        quelbrix::AppendBase64(out, c.text.data(), c.text.size());
        EXPECT_EQ(out, c.json) << c.text;
    }
}

std::string JsonLine(const LineRecord& record, const std::string& path = "{\"text\":\"a\"}") {
    std::string out;
    PrintedLine scratch;
    quelbrix::AppendJsonLine(out, path, record.View(), scratch);
    return out;
}

// Offsets count the bytes of the UTF-8 line: three for each kanji before the hit.
TEST(JsonMessages, MatchOffsetsAreIntoTheUtf8Line) {
    LineRecord record = HitLineOf("表示 foo 検索", "foo", "\r\n", 12);
    record.hits.push_back({9, 13});  // 検索, after the Shift_JIS bytes of "表示 foo "
    record.offset = 345;
    EXPECT_EQ(JsonLine(record),
              Utf8(u8"{\"type\":\"match\",\"data\":{\"path\":{\"text\":\"a\"},"
                   u8"\"lines\":{\"text\":\"表示 foo 検索\\r\\n\"},\"line_number\":12,"
                   u8"\"absolute_offset\":345,\"submatches\":["
                   u8"{\"match\":{\"text\":\"foo\"},\"start\":7,\"end\":10},"
                   u8"{\"match\":{\"text\":\"検索\"},\"start\":11,\"end\":17}]}}\n"));
}

TEST(JsonMessages, ContextLinesHaveNoSubmatches) {
    LineRecord record = ContextLineOf("say \"ソ\\\"", "", 3);
    record.offset = 20;
    EXPECT_EQ(JsonLine(record),
              Utf8(u8"{\"type\":\"context\",\"data\":{\"path\":{\"text\":\"a\"},"
                   u8"\"lines\":{\"text\":\"say \\\"ソ\\\\\\\"\"},\"line_number\":3,"
                   u8"\"absolute_offset\":20,\"submatches\":[]}}\n"));
}

// 0x81 0xAD has no Unicode form: the line goes as its bytes and the offsets are into them;
// the match itself converts and stays text.
TEST(JsonMessages, UnmappableLineIsGivenAsItsBytes) {
    const LineRecord record = HitLineOf("\x81\xAD表foo", "foo", "\n", 2);
    EXPECT_EQ(JsonLine(record),
              "{\"type\":\"match\",\"data\":{\"path\":{\"text\":\"a\"},"
              "\"lines\":{\"bytes\":\"ga2VXGZvbwo=\"},\"line_number\":2,"
              "\"absolute_offset\":0,\"submatches\":["
              "{\"match\":{\"text\":\"foo\"},\"start\":4,\"end\":7}]}}\n");

    // A hit on the unmappable bytes themselves is bytes too.
    LineRecord lone = HitLineOf("x\x81\xAD", "\x81\xAD", "");
    EXPECT_EQ(JsonLine(lone),
              "{\"type\":\"match\",\"data\":{\"path\":{\"text\":\"a\"},"
              "\"lines\":{\"bytes\":\"eIGt\"},\"line_number\":1,\"absolute_offset\":0,"
              "\"submatches\":[{\"match\":{\"bytes\":\"ga0=\"},\"start\":1,\"end\":3}]}}\n");
}

struct PathCase {
    std::string path;
    bool sjis;
    std::string json;
};

TEST(JsonMessages, PathsAsTextOrBytes) {
    const PathCase cases[] = {
        {"表/a.txt", true, Utf8(u8"{\"text\":\"表/a.txt\"}")},
        {"\x81\xAD.txt", true, "{\"bytes\":\"ga0udHh0\"}"},
        {Utf8(u8"表.txt"), false, Utf8(u8"{\"text\":\"表.txt\"}")},
        {"\x95\x5C.txt", false, "{\"bytes\":\"lVwudHh0\"}"},  // Shift_JIS bytes of a native name
        {"a\"b", false, "{\"text\":\"a\\\"b\"}"},
    };
    for (const PathCase& c : cases) {
        std::string out;
        quelbrix::AppendJsonPath(out, c.path.data(), c.path.size(), c.sjis);
        EXPECT_EQ(out, c.json) << c.path;
    }
}

TEST(JsonMessages, EncodingsByTheirUsualNames) {
    const struct {
        quelbrix::KanjiCode code;
        const char* name;
    } cases[] = {
        {quelbrix::KC_ASCII, "ASCII"},      {quelbrix::KC_JIS, "ISO-2022-JP"},
        {quelbrix::KC_SJIS, "Shift_JIS"},   {quelbrix::KC_EUC, "EUC-JP"},
        {quelbrix::KC_UNICODE, "UTF-16LE"}, {quelbrix::KC_UTF8, "UTF-8"},
        {quelbrix::KC_UTF7, "UTF-7"},       {quelbrix::KC_UNDECIDED, "undecided"},
        {quelbrix::KC_BINARY, "binary"},    {static_cast<quelbrix::KanjiCode>(7), "unknown"},
    };
    for (const auto& c : cases) EXPECT_STREQ(quelbrix::EncodingName(c.code), c.name);
}

TEST(JsonMessages, BeginEndAndSummary) {
    std::string out;
    quelbrix::AppendJsonBegin(out, "{\"text\":\"a\"}", quelbrix::KC_EUC);
    EXPECT_EQ(
        out, "{\"type\":\"begin\",\"data\":{\"path\":{\"text\":\"a\"},\"encoding\":\"EUC-JP\"}}\n");

    SearchStats stats;
    stats.elapsedNanos = 1234567890;
    stats.searches = 2;
    stats.searchesWithMatch = 1;
    stats.bytesSearched = 300;
    stats.bytesPrinted = 250;
    stats.matchedLines = 3;
    stats.matches = 4;
    out.clear();
    quelbrix::AppendJsonEnd(out, "{\"text\":\"a\"}", stats);
    const std::string statsText =
        "{\"elapsed\":{\"secs\":1,\"nanos\":234567890,\"human\":\"1.234568s\"},\"searches\":2,"
        "\"searches_with_match\":1,\"bytes_searched\":300,\"bytes_printed\":250,"
        "\"matched_lines\":3,\"matches\":4}";
    EXPECT_EQ(out,
              "{\"type\":\"end\",\"data\":{\"path\":{\"text\":\"a\"},\"binary_offset\":null,"
              "\"stats\":" +
                  statsText + "}}\n");
    out.clear();
    quelbrix::AppendJsonSummary(out, 123000, stats);
    EXPECT_EQ(out,
              "{\"type\":\"summary\",\"data\":{\"elapsed_total\":{\"secs\":0,\"nanos\":123000,"
              "\"human\":\"0.000123s\"},\"stats\":" +
                  statsText + "}}\n");
}

}  // namespace
