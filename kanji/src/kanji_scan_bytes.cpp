// The detector's tests exactly as they are stated, one position at a time.
#include "kanji/kanji_code.h"
#include "kanji_scan.h"

namespace quelbrix {
namespace {

// What each byte value can be in the multibyte tests.
enum ByteClass : unsigned char {
    kUtf8Lead = 1,   // 0xC0..0xFF
    kUtf8Tail = 2,   // 0x80..0xBF
    kSjisLead = 4,   // 0x81..0x9F, 0xE0..0xFC
    kSjisTrail = 8,  // 0x40..0x7E, 0x80..0xFC
    kEucByte = 16,   // 0xA1..0xFE
};

constexpr unsigned char ClassOf(unsigned c) {
    return static_cast<unsigned char>(
        (c >= 0xC0 ? kUtf8Lead : 0) | (c >= 0x80 && c <= 0xBF ? kUtf8Tail : 0) |
        ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? kSjisLead : 0) |
        ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC) ? kSjisTrail : 0) |
        (c >= 0xA1 && c <= 0xFE ? kEucByte : 0));
}

struct ByteClassTable {
    unsigned char of[256];
    constexpr ByteClassTable() : of() {
        for (unsigned c = 0; c < 256; ++c) of[c] = ClassOf(c);
    }
};
constexpr ByteClassTable kClass;

bool IsBase64Char(unsigned c) { return c < 0x80 && Base64ValueTable[c] != -1; }

// A UTF-16 high byte that Japanese text does not use (Hangul, surrogates, private use).
bool IsForeignHighByte(unsigned c) { return c >= 0xA0 && c <= 0xF7; }

// The designations of JIS X 0208-1978, JIS X 0208-1983 and JIS X 0213 planes 1 and 2. Each
// byte is compared before the next is read, so the terminating 0 is never passed.
bool IsKanjiDesignation(const unsigned char* p) {
    if (p[0] != 0x1B || p[1] != '$') return false;
    return p[2] == '@' || p[2] == 'B' || (p[2] == '(' && (p[3] == 'O' || p[3] == 'P'));
}

}  // namespace

bool ScanUtf16Bytes(const unsigned char* p, std::size_t from, std::size_t to, Utf16Evidence& u,
                    std::size_t& firstZero) {
    for (std::size_t i = from; i < to; ++i) {
        const unsigned c = p[i];
        if (i % 2 == 0) {
            const unsigned d = p[i + 1];
            if (c == 0 && d == 0) return false;
            if ((c == 0x0D || c == 0x0A) && d == 0) ++u.lineBreaks;
        } else if (IsForeignHighByte(c)) {
            u.foreignHighByte = true;
        }
        if (c == 0 && firstZero == kNoZero) firstZero = i;
    }
    return true;
}

// Works on a copy so that the state stays in registers while the bytes are read.
MultibyteState ScanMultibyteBytes(const unsigned char* p, std::size_t from, std::size_t to,
                                  MultibyteState m) {
    for (std::size_t i = from; i < to; ++i) {
        const unsigned c = p[i];
        if (m.utf7Valid) {
            if (!m.inBase64Run) {
                m.inBase64Run = c == '+';
            } else if (c == '-') {
                m.inBase64Run = false;
            } else if (!IsBase64Char(c)) {
                m.utf7Valid = false;
            }
        }
        // In order of precedence: the first test that fits is the only one taken.
        // Designations are counted wherever they are, so a file mixing them with 8-bit bytes is
        // JIS. A gate that stops counting them (and ends the UTF-7 test) from the first byte
        // above 0x7F would be one more flag in MultibyteState tested here; it is not applied.
        if (c == 0x1B && IsKanjiDesignation(p + i)) {
            ++m.escapes;
            continue;
        }
        const unsigned cc = kClass.of[c];
        const unsigned cd = kClass.of[p[i + 1]];
        if (m.utf8SkipBytes == 0) {
            if ((cc & kUtf8Lead) && (cd & kUtf8Tail) && (kClass.of[p[i + 2]] & kUtf8Tail)) {
                ++m.utf8;
                m.utf8SkipBytes = 2;
                continue;
            }
        } else {
            --m.utf8SkipBytes;
            continue;
        }
        if (m.sjisTrailPending) {
            m.sjisTrailPending = false;
            continue;
        }
        if ((cc & kSjisLead) && (cd & kSjisTrail)) {
            ++m.sjis;
            m.sjisTrailPending = true;
            continue;
        }
        if (m.eucTrailPending) {
            m.eucTrailPending = false;
        } else if ((cc & kEucByte) && (cd & kEucByte)) {
            ++m.euc;
            m.eucTrailPending = true;
        }
    }
    return m;
}

}  // namespace quelbrix
