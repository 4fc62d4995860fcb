// The --json form: JSON strings and base64, the messages of hit lines with their UTF-8
// offsets, and what is given as bytes. Literals in u8"" are UTF-8; the others are Shift_JIS.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "json_messages.h"
#include "json_text.h"
#include "line_printers.h"
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
        {quelbrix::KC_UNICODE_BE, "UTF-16BE"},
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

std::string ReadBack(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    return text;
}

// The number after "key": in the message `message` of the output.
std::string Field(const std::string& message, const std::string& key) {
    const std::size_t at = message.find("\"" + key + "\":");
    if (at == std::string::npos) return "";
    const std::size_t start = at + key.size() + 3;
    return message.substr(start, message.find_first_of(",}", start) - start);
}

// Only files with hits get messages; every file read counts in the summary. bytes_printed is
// what the file's begin and line messages took.
TEST(JsonLinePrinter, MessagesForFilesWithHitsAndTotalsForAll) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    quelbrix::JsonLinePrinter printer(file.get(), quelbrix::PathForm{5, true});
    quelbrix::FileEncoding encoding;
    encoding.verdict = quelbrix::KC_SJIS;
    encoding.readAs = quelbrix::KC_SJIS;
    printer.BeginFile("/top/none.txt", encoding);
    printer.EndFile(40, 0);
    printer.BeginFile("/top/表.txt", encoding);
    const LineRecord context = ContextLineOf("before", "\n", 1);
    const LineRecord hit = HitLineOf("foo foo", "foo", "\n", 2);
    EXPECT_TRUE(printer.Line(context.View()));
    EXPECT_TRUE(printer.Line(hit.View()));
    printer.EndFile(60, 2);
    printer.Finish();
    EXPECT_FALSE(printer.OutOfMemory());

    const std::string text = ReadBack(file.get());
    std::vector<std::string> messages;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        ASSERT_NE(end, std::string::npos);
        messages.push_back(text.substr(at, end + 1 - at));
        at = end + 1;
    }
    ASSERT_EQ(messages.size(), 5u) << text;
    EXPECT_EQ(messages[0], Utf8(u8"{\"type\":\"begin\",\"data\":{\"path\":{\"text\":\"表.txt\"},"
                                u8"\"encoding\":\"Shift_JIS\"}}\n"));
    EXPECT_EQ(messages[1].find("{\"type\":\"context\""), 0u);
    EXPECT_EQ(messages[2].find("{\"type\":\"match\""), 0u);
    EXPECT_EQ(messages[3].find("{\"type\":\"end\""), 0u);
    EXPECT_EQ(messages[4].find("{\"type\":\"summary\""), 0u);
    const std::size_t printed = messages[0].size() + messages[1].size() + messages[2].size();
    EXPECT_EQ(Field(messages[3], "bytes_printed"), std::to_string(printed));
    EXPECT_EQ(Field(messages[3], "bytes_searched"), "60");
    EXPECT_EQ(Field(messages[3], "matched_lines"), "1");
    EXPECT_EQ(Field(messages[3], "matches"), "2");
    EXPECT_EQ(Field(messages[3], "searches"), "1");
    EXPECT_EQ(Field(messages[4], "searches"), "2");
    EXPECT_EQ(Field(messages[4], "searches_with_match"), "1");
    EXPECT_EQ(Field(messages[4], "bytes_searched"), "100");
    EXPECT_EQ(Field(messages[4], "bytes_printed"), std::to_string(printed));
}

}  // namespace
