#include "app/pattern_reason.h"

#include <cstddef>
#include <string>

namespace quelbrix {

namespace {

// Each reason begins with a fixed text; what follows it (a number, the escaped letter) is
// carried into the Japanese text in place of "%s".
struct ReasonText {
    const char* english;
    const char* japanese;
};

const ReasonText kReasons[] = {
    {"trailing backslash", "最後の \\ の後に文字がありません"},
    {"\\b and \\B are not allowed in a class", "[ ] の中では \\b と \\B は使えません"},
    {"\\x needs two hexadecimal digits", "\\x の後には 16 進数 2 桁が必要です"},
    {"\\x00 cannot occur in a text", "\\x00 は指定できません"},
    {"backreferences are not supported", "後方参照（\\1 など）には対応していません"},
    {"unknown escape ", "%s という書き方には対応していません"},
    {"missing ] to close the class", "[ に対応する ] がありません"},
    {"a class escape cannot start a range", "範囲の始めに \\d などは使えません"},
    {"a class escape cannot end a range", "範囲の終わりに \\d などは使えません"},
    {"bad range in class (end before start)", "範囲の終わりの文字が始めの文字より前にあります"},
    {"repeat count above ", "繰り返し回数は %s までです"},
    {"bad repeat range (maximum below minimum)", "繰り返し回数の上限が下限より小さくなっています"},
    {"nothing to repeat", "繰り返す対象がありません"},
    {"nested quantifier", "繰り返しの指定が重なっています"},
    {"unsupported group syntax",
     "対応していないグループの書き方です（使えるのは ( ) と (?: ) と (?iwk) (?iwk: ) です）"},
    {"malformed flag group",
     "(?i) (?w) (?k) の書き方が正しくありません（i、w、k をそれぞれ一度まで、(?iwk) や "
     "(?iwk: ) のように書きます）"},
    {"flag group ",
     "(?i) などの指定は正規表現の先頭にだけ書けます（途中では (?i: ) のように書きます）"},
    {"groups nested deeper than ", "( ) の入れ子は %s 段までです"},
    {"unmatched )", "対応する ( のない ) があります"},
    {"missing ) to close the group", "( に対応する ) がありません"},
    {"pattern too large", "正規表現が複雑すぎます"},
    {"pattern longer than ", "正規表現が長すぎます（%s まで）"},
    {"the pattern is missing", "正規表現がありません"},
    {"out of memory", "メモリが足りません"},
};

constexpr char kOffsetMark[] = " at offset ";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

std::string Replace(std::string text, const std::string& value) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

// "1000" from "1000", "8192" from "8192 bytes": the number a limit reason ends with.
std::string LeadingWord(const std::string& text) { return text.substr(0, text.find(' ')); }

// Grexmo counts offsets from 0; people count bytes from 1.
std::string OneBased(const std::string& offset) {
    if (offset.empty() || offset.size() > 9 ||
        offset.find_first_not_of("0123456789") != std::string::npos) {
        return offset;
    }
    return std::to_string(std::stoul(offset) + 1);
}

}  // namespace

std::string PatternReasonInJapanese(const std::string& reason) {
    std::string body = reason;
    std::string offset;
    const std::size_t mark = reason.rfind(kOffsetMark);
    if (mark != std::string::npos) {
        body = reason.substr(0, mark);
        offset = reason.substr(mark + sizeof kOffsetMark - 1);
    }
    for (const ReasonText& entry : kReasons) {
        if (!StartsWith(body, entry.english)) continue;
        const std::string rest = body.substr(std::char_traits<char>::length(entry.english));
        const bool isEscape = StartsWith(entry.english, "unknown escape");
        std::string text = Replace(entry.japanese, isEscape ? rest : LeadingWord(rest));
        if (!offset.empty()) text += "（" + OneBased(offset) + " バイト目）";
        return text;
    }
    return reason;
}

}  // namespace quelbrix
