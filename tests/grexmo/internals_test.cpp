// The fast building blocks checked against obviously correct slow ones: the boundary check
// against a walk from the start of the text, the two-byte scan against a byte-by-byte loop.
#include "boundary.h"
#include "byte_scan.h"
#include "char_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using grexmo::Boundary;

// Every boundary of the text, with the start of the character before it, found by walking
// from the start.
std::vector<Boundary> WalkBoundaries(const std::string& text) {
    std::vector<Boundary> out;
    const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
    Boundary b;
    out.push_back(b);
    while (b.pos < text.size()) {
        b.prev = b.pos;
        b.pos += grexmo::DecodeChar(p + b.pos).length;
        out.push_back(b);
    }
    return out;
}

// Texts over bytes that exercise every class: ASCII below 0x40, ASCII letters (trail values),
// lead bytes of both ranges, trail-only bytes, half-width kana, 0x7F and 0xFD.
TEST(GrexmoBoundary, AgreesWithAWalkFromTheStart) {
    const unsigned char alphabet[] = {0x20, 0x41, 0x5C, 0x7F, 0x81, 0x83, 0x88,
                                      0x9F, 0xA0, 0xB1, 0xE0, 0xFC, 0xFD};
    std::mt19937 rng(5);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(rng() % 12);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(alphabet[rng() % sizeof alphabet]);
        const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
        const std::vector<Boundary> walk = WalkBoundaries(text);
        for (const Boundary& known : walk) {
            for (std::size_t target = known.pos; target <= text.size(); ++target) {
                const Boundary got = grexmo::NextBoundaryAtOrAfter(p, known, target);
                std::size_t i = 0;
                while (walk[i].pos < target) ++i;
                ASSERT_EQ(got.pos, walk[i].pos)
                    << "round " << round << " known " << known.pos << " target " << target;
                ASSERT_EQ(got.prev, walk[i].prev)
                    << "round " << round << " known " << known.pos << " target " << target;
            }
        }
    }
}

TEST(GrexmoByteScan, AgreesWithAByteByByteLoop) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t size = rng() % 150;
        std::string text(size, 'a');
        for (char& c : text) c = static_cast<char>("abcA\x83"[rng() % 5]);
        grexmo::BytePair pair{static_cast<unsigned char>("abA\x83"[rng() % 4]), rng() % 4,
                              static_cast<unsigned char>("abA\x83"[rng() % 4]), rng() % 4};
        const std::size_t from = size ? rng() % (size + 1) : 0;
        const std::size_t end = from + (size - from ? rng() % (size - from + 1) : 0);
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        std::size_t expected = SIZE_MAX;
        const std::size_t span = 1 + std::max(pair.firstOffset, pair.secondOffset);
        for (std::size_t i = from; i + span <= end; ++i) {
            if (p[i + pair.firstOffset] == pair.first && p[i + pair.secondOffset] == pair.second) {
                expected = i;
                break;
            }
        }
        ASSERT_EQ(grexmo::FindBytePair(p, from, end, pair), expected) << "round " << round;
    }
}

}  // namespace
