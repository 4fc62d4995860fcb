#include "engine/result_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/product.h"

using quelbrix::FormatResultReport;
using quelbrix::ReportRow;
using quelbrix::ReportSearch;

namespace {

const std::string kHeader = quelbrix::ProgramNameAndVersion() +
                            " 結果ファイル\r\n"
                            "このファイルは QuelbrixU の検索結果を書き出したものです。\r\n"
                            "\r\n";
const std::string kNoCounts = "\r\n\r\nこの検索では見つかった数を表示しない設定になっていました。";

struct ReportCase {
    const char* name;
    ReportSearch search;
    std::vector<ReportRow> rows;
    std::string expected;  // after the three header lines
};

// The rows arrive in list order, whatever order a sort or a deletion left them in; the report
// neither sorts nor cuts them. 表 and ソ end in the byte 0x5C and must come through untouched.
const ReportCase kCases[] = {
    {"counts_full_paths",
     {"検索", "C:\\data\\", false, true},
     {{"C:\\data\\a.txt", "3"}, {"C:\\data\\sub\\b.txt", "12"}},
     "「検索」で検索した結果、\r\n"
     "C:\\data\\a.txtの中に3個、発見されました。\r\n"
     "C:\\data\\sub\\b.txtの中に12個、発見されました。"},
    {"counts_relative_paths",
     {"検索", "C:\\data\\", true, true},
     {{"sub\\a.txt", "3"}},
     "「検索」で検索した結果、\r\n"
     "C:\\data\\sub\\a.txtの中に3個、発見されました。"},
    {"no_counts_full_paths",
     {"abc", "D:\\x\\", false, false},
     {{"D:\\x\\1.txt", ""}, {"D:\\x\\2.txt", ""}},
     "「abc」で検索した結果、\r\n"
     "D:\\x\\1.txtの中に見つかりました。\r\n"
     "D:\\x\\2.txtの中に見つかりました。" +
         kNoCounts},
    {"no_counts_relative_paths",
     {"abc", "D:\\x\\", true, false},
     {{"y\\1.txt", ""}},
     "「abc」で検索した結果、\r\nD:\\x\\y\\1.txtの中に見つかりました。" + kNoCounts},
    {"no_rows_counts", {"無い", "C:\\", false, true}, {}, "「無い」で検索した結果、"},
    {"no_rows_no_counts",
     {"無い", "C:\\", true, false},
     {},
     "「無い」で検索した結果、" + kNoCounts},
    {"sorted_and_deleted_rows_in_list_order",
     {"w", "C:\\d\\", true, true},
     {{"z.txt", "1"}, {"a.txt", "9"}},
     "「w」で検索した結果、\r\n"
     "C:\\d\\z.txtの中に1個、発見されました。\r\n"
     "C:\\d\\a.txtの中に9個、発見されました。"},
    {"trail_byte_0x5C_in_word_and_paths",
     {"表ソ\\", "C:\\表\\", true, true},
     {{"ソ\\表.txt", "2"}},
     "「表ソ\\」で検索した結果、\r\nC:\\表\\ソ\\表.txtの中に2個、発見されました。"},
};

class ResultReportTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ResultReportTest, LaidOutByteForByte) {
    const ReportCase& c = GetParam();
    EXPECT_EQ(FormatResultReport(c.search, c.rows), kHeader + c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ResultReportTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
