#include "engine/result_report.h"

#include "common/product.h"

namespace quelbrix {

namespace {

constexpr char kLineBreak[] = "\r\n";
constexpr char kNotice[] = "このファイルは QuelbrixU の検索結果を書き出したものです。";
constexpr char kNoCountsSentence[] = "この検索では見つかった数を表示しない設定になっていました。";

std::string TitleLine() { return ProgramNameAndVersion() + " 結果ファイル"; }

}  // namespace

std::string FormatResultReport(const ReportSearch& search, const std::vector<ReportRow>& rows) {
    std::string text = TitleLine();
    text += kLineBreak;
    text += kNotice;
    text += kLineBreak;
    text += kLineBreak;
    text += "「" + search.word + "」で検索した結果、";
    for (const ReportRow& row : rows) {
        text += kLineBreak;
        if (search.relativePaths) text += search.folder;
        text += row.path;
        if (search.showCounts) {
            text += "の中に" + row.count + "個、発見されました。";
        } else {
            text += "の中に見つかりました。";
        }
    }
    if (!search.showCounts) {
        text += kLineBreak;
        text += kLineBreak;
        text += kNoCountsSentence;
    }
    return text;
}

}  // namespace quelbrix
