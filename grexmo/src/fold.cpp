#include "fold.h"

#include "fold_tables.h"
#include "grexmo/grexmo.h"

#include <cstdint>

namespace grexmo {
namespace {

// Both directions of every pair whose one side is in `from`, added to `to`.
template <std::size_t N>
void AddPartners(const CharSet& from, const FoldPair (&pairs)[N], CharSet* to) {
    for (const FoldPair& p : pairs) {
        if (from.Contains(p.narrow)) to->AddChar(p.wide);
        if (from.Contains(p.wide)) to->AddChar(p.narrow);
    }
}

// The half-width kana that each mark joins, as bits over the half-width block 0xA0-0xDF.
struct JoinBits {
    std::uint64_t voiced = 0, semiVoiced = 0;
    JoinBits() {
        for (const SoundMarkJoin& j : kSoundMarkJoins) {
            const std::uint64_t bit = std::uint64_t{1} << (j.base - 0xA0);
            (j.mark == kHalfWidthVoicedMark ? voiced : semiVoiced) |= bit;
        }
    }
};

}  // namespace

void AddFoldedForms(CharSet* set, unsigned folds) {
    set->Canonicalize();
    // Each round follows one more pair (Ａ to A under width, then to a under case); a handful
    // of rounds closes any set, and a round that adds nothing ends it.
    for (int round = 0; round < 4; ++round) {
        const std::size_t before = set->Ranges().size();
        CharSet grown = *set;
        if (folds & kGrexmoFoldCase) grown.AddCaseFolds();
        if (folds & kGrexmoFoldWidth) AddPartners(*set, kWidthPairs, &grown);
        if (folds & kGrexmoFoldKana) AddPartners(*set, kKanaPairs, &grown);
        grown.Canonicalize();
        bool same = grown.Ranges().size() == before;
        for (std::size_t i = 0; same && i < before; ++i)
            same = grown.Ranges()[i].lo == set->Ranges()[i].lo &&
                   grown.Ranges()[i].hi == set->Ranges()[i].hi;
        *set = std::move(grown);
        if (same) return;
    }
}

CharCode JoinedKana(CharCode base, CharCode mark) {
    for (const SoundMarkJoin& j : kSoundMarkJoins)
        if (j.base == base && j.mark == mark) return j.joined;
    return 0;
}

bool JoinsSoundMark(CharCode base, CharCode mark) {
    static const JoinBits bits;
    if (base < 0xA0 || base > 0xDF) return false;
    const std::uint64_t bit = std::uint64_t{1} << (base - 0xA0);
    if (mark == kHalfWidthVoicedMark) return (bits.voiced & bit) != 0;
    if (mark == kHalfWidthSemiVoicedMark) return (bits.semiVoiced & bit) != 0;
    return false;
}

}  // namespace grexmo
