// Width and kana folding, with case folding beside them: the pairs that matter, one by one;
// plain words against a reference that maps text and word to one canonical form first and
// finds the word there; and expressions with folded groups, the DFA and its start filters
// against the plain run.
#include "grexmo_test_util.h"
#include "lazy_dfa.h"

#include "kanji/unicode_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using grexmo_test::Pick;
using grexmo_test::RandomText;
using grexmo_test::Rng;
using grexmo_test::Shown;

constexpr unsigned kI = kGrexmoFoldCase;
constexpr unsigned kW = kGrexmoFoldWidth;
constexpr unsigned kK = kGrexmoFoldKana;

// Every hit as "offset:text", space-separated.
std::string HitList(const char* pattern, bool isRegex, unsigned folds, const std::string& text) {
    CGrexmo g;
    g.Read(pattern, isRegex, folds);
    if (!g.IsValid()) return std::string("invalid: ") + g.GetErrorText();
    std::string out;
    for (const grexmo_test::FoundHit& hit : grexmo_test::AllHits(g, text.c_str())) {
        if (!out.empty()) out += ' ';
        out += std::to_string(hit.offset) + ":" + hit.text;
    }
    return out;
}

struct FoldCase {
    const char* pattern;
    bool isRegex;
    unsigned folds;
    const char* text;
    const char* hits;
};

const FoldCase kFoldCases[] = {
    // Letters: width alone keeps case apart, with case they are all one.
    {"a", false, kW, "A a Ａ ａ", "2:a 7:ａ"},
    {"a", false, kI | kW, "A a Ａ ａ", "0:A 2:a 4:Ａ 7:ａ"},
    {"Ａ", false, kI, "A a Ａ ａ", "4:Ａ 7:ａ"},
    {"(?iw)Pdf", true, 0, "PDF ｐｄｆ ＰＤＦ pdF", "0:PDF 4:ｐｄｆ 11:ＰＤＦ 18:pdF"},
    // Digits and signs.
    {"1+2", false, kW, "1+2 １＋２ 1＋２ 1-2", "0:1+2 4:１＋２ 11:1＋２"},
    {"(?w)\\d+", true, 0, "12３４a", "0:12３４"},
    {"(?w)\\D+", true, 0, "12３４a", "6:a"},
    {"(?w)[^0-9]", true, 0, "1１a", "3:a"},
    {"a b", false, kW, "a b a　b", "0:a b 4:a　b"},
    // The byte 0x5C is a backslash and a yen sign: both full-width forms are its pairs.
    {"(?w)\\\\", true, 0, "\\ ＼ ￥ /", "0:\\ 2:＼ 5:￥"},
    {"￥100", false, kW, "\\100 ￥100", "0:\\100 5:￥100"},
    // Half-width kana, the long vowel mark and the punctuation.
    {"ー", false, kW, "ー ｰ -", "0:ー 3:ｰ"},
    {"「ア」", false, kW, "｢ｱ｣ 「ア」", "0:｢ｱ｣ 4:「ア」"},
    // A half-width kana with the mark that joins it is one character.
    {"ガ", false, kW, "ｶﾞ ガ ｶ", "0:ｶﾞ 3:ガ"},
    {"ｶﾞ", false, kW, "ガ ｶﾞ ｶ", "0:ガ 3:ｶﾞ"},
    {"パ", false, kW, "ﾊﾟ ﾊﾞ パ", "0:ﾊﾟ 6:パ"},
    {"ヴ", false, kW, "ｳﾞ ヴ ｳ", "0:ｳﾞ 3:ヴ"},
    {"カ", false, kW, "ｶﾞ ｶ カ ｶﾟ", "3:ｶ 5:カ 8:ｶ"},  // ﾟ joins no ｶ
    {"ﾞ", false, kW, "ｶﾞ ﾞ ゛ ｱﾞ", "3:ﾞ 5:゛ 9:ﾞ"},      // ﾞ joins no ｱ
    {"ﾃﾞｰﾀ", false, kW, "ﾃﾞｰﾀ データ ﾃﾞｰﾀﾞ", "0:ﾃﾞｰﾀ 5:データ"},
    {"(?w)^.$", true, 0, "ｶﾞ", "0:ｶﾞ"},
    {"(?w)ガ{2}", true, 0, "ｶﾞガ", "0:ｶﾞガ"},
    {"(?w)[ｶﾞｷﾞ]+", true, 0, "ガｷﾞｶ", "0:ガｷﾞ"},
    {"(?w)[^ガ]", true, 0, "ｶﾞｷﾞ", "2:ｷﾞ"},
    {"ｶﾞ", false, 0, "ガ ｶﾞ", "3:ｶﾞ"},  // without width, two characters
    {"カ", false, 0, "ｶﾞ", ""},
    // Hiragana and katakana.
    {"りんご", false, kK, "リンゴ りんご りんゴ ﾘﾝｺﾞ", "0:リンゴ 7:りんご 14:りんゴ"},
    {"りんご", false, kW | kK, "ﾘﾝｺﾞ", "0:ﾘﾝｺﾞ"},
    {"データ", false, kW | kK, "ﾃﾞｰﾀ データ でーた デ-タ", "0:ﾃﾞｰﾀ 5:データ 12:でーた"},
    {"ゝゞ", false, kK, "ヽヾ ゝゞ", "0:ヽヾ 5:ゝゞ"},
    {"ゎ", false, kK, "ヮ", "0:ヮ"},
    {"ヴ", false, kK, "ヴ う ウ", "0:ヴ"},  // no hiragana of its own
    {"ヶ", false, kK | kW, "ヶ け ケ", "0:ヶ"},
    // Classes fold member by member, before negation.
    {"(?k)[あ-お]+", true, 0, "あいアイｱ", "0:あいアイ"},
    {"(?wk)[あ-お]+", true, 0, "あいアイｱｲ", "0:あいアイｱｲ"},
    {"(?k)[^あ]", true, 0, "あアいイ", "4:い 6:イ"},
    {"(?wk)[^あ]", true, 0, "ｱあア", ""},
    // Folding inside a group only.
    {"ab(?w:ｐｄｆ)", true, 0, "abpdf abｐｄｆ abPDF ａｂpdf", "0:abpdf 6:abｐｄｆ"},
    {"(?wk:デ)タ", true, 0, "でタ ﾃﾞﾀ でた", "0:でタ"},
    {"(?i:a(?w:b))c", true, 0, "Aｂc Abc aＢc abC", "0:Aｂc 5:Abc 9:aＢc"},
    // Plain words never become syntax, whatever the folds.
    {"a.b", false, kI | kW | kK, "axb a.b Ａ．Ｂ", "4:a.b 8:Ａ．Ｂ"},
    {"(?w)", false, kW, "(?w) （？ｗ）", "0:(?w) 5:（？ｗ）"},
    // The flags themselves.
    {"(?kwi)ａ", true, 0, "A", "0:A"},
    {"(?k)a", true, kW, "ａ", "0:ａ"},  // the pattern's flags add to Read()'s
    {"(?ww)a", true, 0, "", "invalid: malformed flag group (only i, w and k, each at most once, "
                           "as in (?iwk) and (?iwk:...), are known) at offset 0"},
    {"(?wm)a", true, 0, "", "invalid: malformed flag group (only i, w and k, each at most once, "
                           "as in (?iwk) and (?iwk:...), are known) at offset 0"},
    {"a(?wk)b", true, 0, "", "invalid: flag group (?wk) only at the start of the expression "
                            "(elsewhere write (?wk:...)) at offset 1"},
};

TEST(GrexmoFold, PairsThatMatter) {
    for (const FoldCase& c : kFoldCases) {
        EXPECT_EQ(HitList(c.pattern, c.isRegex, c.folds, c.text), c.hits)
            << "pattern '" << c.pattern << "' folds " << c.folds << " text '" << c.text << "'";
    }
}

TEST(GrexmoFold, TheTwoArgumentReadFoldsNothing) {
    CGrexmo g;
    g.Read("データ", false);
    EXPECT_EQ(g.Find("でーた ﾃﾞｰﾀ", 0, false), -1);
    g.Read("a", true);
    EXPECT_EQ(g.Find("A", 0, false), -1);
}

// The reference: each character of a text as one canonical Unicode character, with where it
// starts. Written from Unicode's rules, not from the library's tables.
struct Unit {
    std::uint32_t code;
    std::size_t offset;
    std::size_t length;
};

// U+FF61 to U+FF9F as full-width characters; the two marks as the spacing marks.
const char16_t kHalfWidthKanaAsFull[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    u"マミムメモヤユヨラリルレロワン゛゜";

std::uint32_t FullForm(std::uint32_t u) {
    if (u >= 0xFF61 && u <= 0xFF9F) return kHalfWidthKanaAsFull[u - 0xFF61];
    return u;
}

// The voiced or semi-voiced kana that `kana` and a half-width mark are, or 0.
std::uint32_t Voiced(std::uint32_t kana, std::uint32_t mark) {
    const std::u16string voicable = u"カキクケコサシスセソタチツテトハヒフヘホ";
    const std::u16string semiVoicable = u"ハヒフヘホ";
    if (mark == 0xFF9E) {
        if (kana == u'ウ') return u'ヴ';
        if (voicable.find(static_cast<char16_t>(kana)) != std::u16string::npos) return kana + 1;
    }
    if (mark == 0xFF9F && semiVoicable.find(static_cast<char16_t>(kana)) != std::u16string::npos)
        return kana + 2;
    return 0;
}

std::uint32_t Canonical(std::uint32_t u, unsigned folds) {
    if (folds & kW) {
        if (u >= 0xFF01 && u <= 0xFF5E) u -= 0xFEE0;
        if (u == 0x3000) u = ' ';
        if (u == 0xFFE5) u = '\\';
        u = FullForm(u);
    }
    if ((folds & kK) && ((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E)) u += 0x60;
    if (folds & kI) {
        if (u >= 'A' && u <= 'Z') u += 0x20;
        if (u >= 0xFF21 && u <= 0xFF3A) u += 0x20;
    }
    return u;
}

std::vector<Unit> Units(const std::string& s, unsigned folds) {
    std::vector<Unit> units;
    std::vector<std::uint32_t> codes;
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const bool pair = sjis::IsLeadByte(b) && i + 1 < s.size() &&
                          sjis::IsTrailByte(static_cast<unsigned char>(s[i + 1]));
        const std::uint16_t code =
            pair ? static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(s[i + 1])) : b;
        codes.push_back(quelbrix::SjisCharToUnicode(code));
        offsets.push_back(i);
        i += pair ? 2 : 1;
    }
    offsets.push_back(s.size());
    for (std::size_t k = 0; k < codes.size(); ++k) {
        std::uint32_t u = codes[k];
        std::size_t next = k + 1;
        if ((folds & kW) && next < codes.size()) {
            const std::uint32_t joined = Voiced(FullForm(u), codes[next]);
            if (u >= 0xFF61 && joined != 0) {
                u = joined;
                ++next;
            }
        }
        units.push_back({Canonical(u, folds), offsets[k], offsets[next] - offsets[k]});
        k = next - 1;
    }
    return units;
}

std::string ReferenceHits(const std::string& word, unsigned folds, const std::string& text) {
    const std::vector<Unit> w = Units(word, folds), t = Units(text, folds);
    std::string out;
    for (std::size_t i = 0; !w.empty() && i + w.size() <= t.size();) {
        bool same = true;
        for (std::size_t k = 0; same && k < w.size(); ++k) same = t[i + k].code == w[k].code;
        if (!same) {
            ++i;
            continue;
        }
        const Unit& last = t[i + w.size() - 1];
        if (!out.empty()) out += ' ';
        out += std::to_string(t[i].offset) + ":" +
               text.substr(t[i].offset, last.offset + last.length - t[i].offset);
        i += w.size();
    }
    return out;
}

const std::vector<std::string> kPieces = {
    "データ", "ﾃﾞｰﾀ", "でーた", "ｶ",  "ﾞ",  "ｶﾞ", "ガ", "か", "ﾊ",  "ﾟ",  "パ", "ぱ",
    "ﾊﾟ",     "A",    "a",      "Ａ", "ａ", "ー", "ｰ",  "-",  "\\", "￥", "＼", "x",
    " ",      "　",   "ヴ",     "ｳ",  "ゝ", "ヽ", "ア", "ｱ",  "表", "ソ", "\n",
};

TEST(GrexmoFold, PlainWordsAgreeWithACanonicalReference) {
    Rng rng(2612);
    for (int round = 0; round < 4000; ++round) {
        const unsigned folds = static_cast<unsigned>(Pick(rng, 8));
        std::string word = RandomText(rng, kPieces, 3);
        if (word.empty()) word = "ｶ";
        const std::string text = RandomText(rng, kPieces, 14);
        const std::string expected = ReferenceHits(word, folds, text);
        ASSERT_EQ(HitList(word.c_str(), false, folds, text), expected)
            << "word '" << Shown(word) << "' folds " << folds << " text '" << Shown(text) << "'";
    }
}

// Folded words have many forms, so their start scans hold many patterns (shared nibble
// buckets): long texts, every fold, plain words against the canonical reference and
// alternations of words against the plain run.
TEST(GrexmoFold, LongTextsWithEveryFoldAgree) {
    const unsigned every = kGrexmoFoldCase | kW | kK;
    std::vector<std::string> wordPieces;  // no syntax in an expression
    for (const std::string& piece : kPieces)
        if (piece != "\\" && piece != "\n") wordPieces.push_back(piece);
    Rng rng(5309);
    for (int round = 0; round < 300; ++round) {
        std::string word = RandomText(rng, kPieces, 3);
        if (word.empty() || word.find('\n') != std::string::npos) word = "でーた";
        const std::string text = RandomText(rng, kPieces, round % 2 ? 60 : 150);
        ASSERT_EQ(HitList(word.c_str(), false, every, text), ReferenceHits(word, every, text))
            << "word '" << Shown(word) << "' text '" << Shown(text) << "'";
        std::string alternation;
        for (int i = 0, n = 2 + Pick(rng, 4); i < n; ++i) {
            std::string literal = RandomText(rng, wordPieces, 2);
            alternation += (i ? "|" : "") + (literal.empty() ? std::string("ｶ") : literal);
        }
        const std::string pattern = "(?iwk)(?:" + alternation + ")";
        const std::string plain = "(?iwk)(?:" + alternation + ")|\\b\\B";
        ASSERT_EQ(HitList(pattern.c_str(), true, 0, text), HitList(plain.c_str(), true, 0, text))
            << "pattern '" << Shown(pattern) << "' text '" << Shown(text) << "'";
    }
}

// "(?:P)|\b\B" finds what P finds, with no literal or start bytes to skip ahead with.
TEST(GrexmoFold, FoldedExpressionsAgreeWithThePlainRun) {
    const std::vector<std::string> atoms = {
        "ｶ",      "ﾞ",  "ガ", "か",     "[ｱ-ｵ]",  "[^ｶ]", ".",    "a",  "Ａ",   "\\d",
        "\\D",    "ー", "ﾊ",  "[ぁ-ん]", "[^ﾊﾟ]", "ﾊﾟ",   "\\\\", "\\s", "デ", "[ｶﾞ-ｺﾞ]",
    };
    const char* const flags[] = {"(?w)", "(?k)", "(?wk)", "(?iw)", "(?iwk)", ""};
    const char* const groups[] = {"(?w:", "(?k:", "(?wk:", "(", "(?:"};
    const char* const quantifiers[] = {"", "", "", "+", "*", "?", "{2}", "{1,2}"};
    Rng rng(1703);
    auto piece = [&](auto& self, int depth) -> std::string {
        std::string out;
        for (int i = 0, n = 1 + Pick(rng, 3); i < n; ++i) {
            if (depth > 0 && Pick(rng, 4) == 0)
                out += std::string(groups[Pick(rng, 5)]) + self(self, depth - 1) + ")";
            else
                out += atoms[Pick(rng, static_cast<int>(atoms.size()))];
            out += quantifiers[Pick(rng, 8)];
        }
        return out;
    };
    for (int round = 0; round < 1500; ++round) {
        const std::string prefix = flags[Pick(rng, 6)];
        const std::string body = piece(piece, 2);
        const std::string pattern = prefix + body;
        const std::string plain = prefix + "(?:" + body + ")|\\b\\B";
        CGrexmo check;
        check.Read(pattern.c_str(), true);
        if (!check.IsValid()) continue;  // [ｶﾞ-ｺﾞ] is a backward range unless ｶﾞ is one character
        for (int t = 0; t < 3; ++t) {
            const std::string text = RandomText(rng, kPieces, 12);
            ASSERT_EQ(HitList(pattern.c_str(), true, 0, text), HitList(plain.c_str(), true, 0, text))
                << "pattern '" << Shown(pattern) << "' text '" << Shown(text) << "'";
        }
    }
}

// The DFA cleared at almost every byte, searched on or given up, keeps the joined kana whole.
TEST(GrexmoFold, ATinyDfaCacheKeepsJoinedKanaWhole) {
    const grexmo::DfaCacheLimits saved = grexmo::CurrentDfaCacheLimits();
    for (std::size_t minBytesPerState : {std::size_t{0}, std::size_t{16}}) {
        grexmo::SetDfaCacheLimitsForTesting({1, 1, minBytesPerState});
        EXPECT_EQ(HitList("(?wk)カ.", true, 0, "ｶﾞx カx かｶﾞ ｶﾟ"), "4:カx 8:かｶﾞ 13:ｶﾟ");
        EXPECT_EQ(HitList("データ", false, kW | kK, "xﾃﾞｰﾀでーたﾃﾞｰﾀﾞ"), "1:ﾃﾞｰﾀ 5:でーた");
    }
    grexmo::SetDfaCacheLimitsForTesting(saved);
}

}  // namespace
