#include <cstddef>

#include "kanji_code.h"

namespace quelbrix {
namespace {

bool IsBase64Char(unsigned c) { return c < 0x80 && Base64ValueTable[c] != -1; }

bool IsSjisLead(unsigned c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsSjisTrail(unsigned c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }
bool IsEucByte(unsigned c) { return c >= 0xA1 && c <= 0xFE; }
bool IsUtf8Continuation(unsigned c) { return c >= 0x80 && c <= 0xBF; }

// A UTF-16 high byte that Japanese text does not use (Hangul, surrogates, private use).
bool IsForeignHighByte(unsigned c) { return c >= 0xA0 && c <= 0xF7; }

// Everything one call of the detector accumulates; all of it starts cleared.
struct Evidence {
    bool zeroSeen = false;
    long utf16LineBreaks = 0;
    bool foreignHighByte = false;
    bool utf7Valid = true;
    bool inBase64Run = false;
    long escapes = 0;
    long utf8 = 0;
    int utf8SkipBytes = 0;
    long sjis = 0;
    bool sjisTrailPending = false;
    long euc = 0;
    bool eucTrailPending = false;
};

// The designations of JIS X 0208-1978, JIS X 0208-1983 and JIS X 0213 planes 1 and 2. Each
// byte is compared before the next is read, so the terminating 0 is never passed.
bool IsKanjiDesignation(const unsigned char* p) {
    if (p[0] != 0x1B || p[1] != '$') return false;
    return p[2] == '@' || p[2] == 'B' || (p[2] == '(' && (p[3] == 'O' || p[3] == 'P'));
}

void VisitUtf7(unsigned c, Evidence& e) {
    if (!e.inBase64Run) {
        if (c == '+') e.inBase64Run = true;
    } else if (c == '-') {
        e.inBase64Run = false;
    } else if (!IsBase64Char(c)) {
        e.utf7Valid = false;
    }
}

// The multibyte tests at p, in order of precedence: the first that fits is the only one taken.
void VisitMultibyte(const unsigned char* p, Evidence& e) {
    const unsigned c = p[0];
    const unsigned d = p[1];
    if (c == 0x1B) {
        if (IsKanjiDesignation(p)) {
            ++e.escapes;
            return;
        }
    }
    if (e.utf8SkipBytes == 0) {
        if (c >= 0xC0 && IsUtf8Continuation(d) && IsUtf8Continuation(p[2])) {
            ++e.utf8;
            e.utf8SkipBytes = 2;
            return;
        }
    } else {
        --e.utf8SkipBytes;
        return;
    }
    if (!e.sjisTrailPending) {
        if (IsSjisLead(c) && IsSjisTrail(d)) {
            ++e.sjis;
            e.sjisTrailPending = true;
            return;
        }
    } else {
        e.sjisTrailPending = false;
        return;
    }
    if (!e.eucTrailPending) {
        if (IsEucByte(c) && IsEucByte(d)) {
            ++e.euc;
            e.eucTrailPending = true;
        }
    } else {
        e.eucTrailPending = false;
    }
}

KanjiCode Verdict(const Evidence& e) {
    if (e.utf16LineBreaks > 0 && !e.foreignHighByte) return KC_UNICODE;
    if (e.zeroSeen) return KC_BINARY;
    if (e.escapes > 0) return KC_JIS;
    if (e.utf8 > e.sjis && e.utf8 > e.euc) return KC_UTF8;
    if (e.sjis > e.euc && e.sjis > e.utf8) return KC_SJIS;
    if (e.euc > e.sjis && e.euc > e.utf8) return KC_EUC;
    if (e.utf8 == 0 && e.sjis == 0 && e.euc == 0) return e.utf7Valid ? KC_UTF7 : KC_ASCII;
    return KC_UNDECIDED;
}

}  // namespace

const std::int8_t Base64ValueTable[128] = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x00
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x10
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 62, -1, -1, -1, 63,  // 0x20
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61, -1, -1, -1, -1, -1, -1,  // 0x30
    -1,  0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14,  // 0x40
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, -1, -1, -1, -1, -1,  // 0x50
    -1, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,  // 0x60
    41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, -1, -1, -1, -1, -1,  // 0x70
};

KanjiCode DetectKanjiCode(const char* data, std::int32_t length) {
    if (length < 2) return KC_UNDECIDED;
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    // The last byte is only ever looked at as the one after the current position.
    const std::size_t end = static_cast<std::size_t>(length) - 1;
    Evidence e;
    for (std::size_t i = 0; i < end; ++i) {
        const unsigned c = p[i];
        const unsigned d = p[i + 1];
        const bool even = i % 2 == 0;
        if (even && c == 0 && d == 0) return KC_BINARY;
        if (c == 0) e.zeroSeen = true;
        if (even) {
            if ((c == 0x0D || c == 0x0A) && d == 0) ++e.utf16LineBreaks;
        } else if (IsForeignHighByte(c)) {
            e.foreignHighByte = true;
        }
        if (e.zeroSeen) continue;
        if (e.utf7Valid) VisitUtf7(c, e);
        VisitMultibyte(p + i, e);
    }
    return Verdict(e);
}

const char* KanjiCodeName(KanjiCode code) {
    switch (code) {
        case KC_ASCII: return "ASCII";
        case KC_JIS: return "JIS";
        case KC_SJIS: return "SJIS";
        case KC_EUC: return "EUC";
        case KC_UNICODE: return "UNICODE";
        case KC_UTF8: return "UTF8";
        case KC_UTF7: return "UTF7";
        case KC_UNDECIDED: return "UNDECIDED";
        case KC_BINARY: return "BINARY";
    }
    return "UNKNOWN";
}

}  // namespace quelbrix
