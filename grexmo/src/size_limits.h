// Size limits that keep compiling and matching bounded in time and memory whatever the
// pattern. A pattern past any of them is refused with an error, never truncated.
#ifndef GREXMO_SIZE_LIMITS_H
#define GREXMO_SIZE_LIMITS_H

#include <cstddef>

namespace grexmo {

constexpr std::size_t kMaxPatternBytes = 8192;
// Groups open at the same time.
constexpr std::size_t kMaxNesting = 250;
// Largest count in {m}, {m,} and {m,n}.
constexpr int kMaxRepeatCount = 1000;
// Instructions of the compiled program (after counted repeats are expanded); the matcher's
// thread lists are sized by it.
constexpr std::size_t kMaxProgramSize = 20000;

}  // namespace grexmo

#endif
