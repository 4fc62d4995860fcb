#include "reference_detector.h"

namespace quelbrix::testing {

KanjiEvidence ReferenceEvidence(const std::string& bytes) {
    KanjiEvidence e;
    if (bytes.size() < 2) return e;
    e.examined = true;
    const std::string buffer = bytes + '\0';
    const auto* p = reinterpret_cast<const unsigned char*>(buffer.data());
    const auto in = [](unsigned c, unsigned low, unsigned high) { return c >= low && c <= high; };
    const auto base64 = [&](unsigned c) {
        return in(c, 'A', 'Z') || in(c, 'a', 'z') || in(c, '0', '9') || c == '+' || c == '/';
    };
    bool zeroSeen = false, inRun = false, sjisPending = false, eucPending = false;
    int skip = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const unsigned c = p[i], d = p[i + 1], f = p[i + 2];
        if (i % 2 == 0 && c == 0 && d == 0) {
            e.binaryExit = true;
            return e;
        }
        if (c == 0) zeroSeen = true;
        if (i % 2 == 0 && (c == 0x0D || c == 0x0A) && d == 0) {
            ++e.utf16LineBreaks;
        } else if (i % 2 == 1 && in(c, 0xA0, 0xF7)) {
            e.foreignHighByte = true;
        }
        if (!zeroSeen && e.utf7Valid) {
            if (!inRun && c == '+') {
                inRun = true;
            } else if (inRun && c == '-') {
                inRun = false;
            } else if (inRun && !base64(c)) {
                e.utf7Valid = false;
            }
        }
        if (zeroSeen) continue;
        if (c == 0x1B && d == '$' &&
            (f == '@' || f == 'B' || (f == '(' && (p[i + 3] == 'O' || p[i + 3] == 'P')))) {
            ++e.escapes;
        } else if (skip == 0 && c >= 0xC0 && in(d, 0x80, 0xBF) && in(f, 0x80, 0xBF)) {
            ++e.utf8;
            skip = 2;
        } else if (skip > 0) {
            --skip;
        } else if (!sjisPending && (in(c, 0x81, 0x9F) || in(c, 0xE0, 0xFC)) &&
                   (in(d, 0x40, 0x7E) || in(d, 0x80, 0xFC))) {
            ++e.sjis;
            sjisPending = true;
        } else if (sjisPending) {
            sjisPending = false;
        } else if (!eucPending && in(c, 0xA1, 0xFE) && in(d, 0xA1, 0xFE)) {
            ++e.euc;
            eucPending = true;
        } else if (eucPending) {
            eucPending = false;
        }
    }
    e.zeroSeen = zeroSeen;
    return e;
}

std::string EvidenceDifference(const KanjiEvidence& got, const KanjiEvidence& want) {
    if (VerdictOf(got) != VerdictOf(want)) return "verdict";
    if (got.binaryExit != want.binaryExit) return "binaryExit";
    if (want.binaryExit) return "";
    if (got.foreignHighByte != want.foreignHighByte) return "foreignHighByte";
    // Line breaks no longer matter after a foreign high byte.
    if (!want.foreignHighByte && got.utf16LineBreaks != want.utf16LineBreaks)
        return "utf16LineBreaks";
    if (got.zeroSeen != want.zeroSeen) return "zeroSeen";
    if ((got.escapes > 0) != (want.escapes > 0)) return "escapes";
    if (want.escapes > 0) return "";  // the counts no longer matter and are not kept up
    if (got.utf8 != want.utf8) return "utf8";
    if (got.sjis != want.sjis) return "sjis";
    if (got.euc != want.euc) return "euc";
    if (want.utf8 == 0 && want.sjis == 0 && want.euc == 0 && got.utf7Valid != want.utf7Valid)
        return "utf7Valid";
    return "";
}

}  // namespace quelbrix::testing
