#include "byte_classes.h"

#include "char_code.h"
#include "fold.h"

namespace grexmo {
namespace {

// Splits the byte classes in `cls` by membership of each byte in a set.
template <typename InSet>
void Refine(std::uint8_t (&cls)[256], InSet inSet) {
    std::int16_t renumbered[512];
    for (std::int16_t& r : renumbered) r = -1;
    std::int16_t next = 0;
    for (int b = 0; b < 256; ++b) {
        const int key = cls[b] * 2 + (inSet(static_cast<unsigned char>(b)) ? 1 : 0);
        if (renumbered[key] < 0) renumbered[key] = next++;
        cls[b] = static_cast<std::uint8_t>(renumbered[key]);
    }
}

}  // namespace

int ComputeByteClasses(const Prog& prog, std::uint8_t (&cls)[256]) {
    for (std::uint8_t& c : cls) c = 0;
    Refine(cls, [](unsigned char b) { return IsLeadByte(b); });
    Refine(cls, [](unsigned char b) { return IsTrailByte(b); });
    Refine(cls, [](unsigned char b) { return b == 0; });
    Refine(cls, [](unsigned char b) { return b == '\n'; });
    Refine(cls, [](unsigned char b) { return b == '\r'; });
    Refine(cls, [](unsigned char b) { return IsWordCode(b); });
    if (prog.hasJoinedKanaAssertions) {
        Refine(cls, [](unsigned char b) { return b == kHalfWidthVoicedMark; });
        Refine(cls, [](unsigned char b) { return b == kHalfWidthSemiVoicedMark; });
        Refine(cls, [](unsigned char b) { return JoinsSoundMark(b, kHalfWidthVoicedMark); });
        Refine(cls, [](unsigned char b) { return JoinsSoundMark(b, kHalfWidthSemiVoicedMark); });
    }
    for (const Inst& inst : prog.insts) {
        if (inst.op != Op::kChar) continue;
        const unsigned hi = inst.code >> 8, lo = inst.code & 0xFFu;
        if (IsDoubleByteCode(inst.code)) Refine(cls, [hi](unsigned char b) { return b == hi; });
        Refine(cls, [lo](unsigned char b) { return b == lo; });
    }
    for (const ProgClass& c : prog.classes) {
        Refine(cls, [&c](unsigned char b) { return c.ContainsSingle(b); });
        for (const CodeRange& r : c.DoubleRanges()) {
            const unsigned leadLo = r.lo >> 8, leadHi = r.hi >> 8;
            const unsigned trailLo = r.lo & 0xFFu, trailHi = r.hi & 0xFFu;
            Refine(cls, [leadLo](unsigned char b) { return b == leadLo; });
            Refine(cls, [leadHi](unsigned char b) { return b == leadHi; });
            Refine(cls, [=](unsigned char b) { return b > leadLo && b < leadHi; });
            Refine(cls, [trailLo](unsigned char b) { return b >= trailLo; });
            Refine(cls, [trailHi](unsigned char b) { return b <= trailHi; });
        }
    }
    int classes = 0;
    for (std::uint8_t c : cls)
        if (c + 1 > classes) classes = c + 1;
    return classes;
}

}  // namespace grexmo
