// Checks of the searches told the text's length (FindIn, Count, FindHits) against Find and
// its loop over the same bytes zero-terminated, shared by the Grexmo tests.
#ifndef GREXMO_TOLD_LENGTH_CHECKS_H
#define GREXMO_TOLD_LENGTH_CHECKS_H

#include "grexmo_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace grexmo_test {

// The bytes of a text in a buffer of exactly their number, with no zero after them: a read
// past the end shows up under a memory checker. Never null, even when empty.
class Unterminated {
public:
    explicit Unterminated(const std::string& text)
        : bytes_(new char[text.size()]), size_(text.size()) {
        if (size_ > 0) std::memcpy(bytes_.get(), text.data(), size_);
    }
    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

// Every hit FindHits gives in batches of `capacity`, over the unterminated text.
inline std::vector<FoundHit> BatchedHits(CGrexmo& g, const std::string& text,
                                         std::size_t capacity) {
    const Unterminated exact(text);
    std::vector<GrexmoHit> batch(capacity);
    std::vector<FoundHit> hits;
    std::size_t start = 0;
    for (int calls = 0; calls <= static_cast<int>(text.size()) + 2; ++calls) {
        const std::size_t n =
            g.FindHits(exact.data(), exact.size(), &start, batch.data(), capacity);
        for (std::size_t i = 0; i < n; ++i)
            hits.push_back(
                {static_cast<int>(batch[i].begin), text.substr(batch[i].begin, batch[i].length)});
        if (n < capacity) break;
    }
    return hits;
}

// Count and FindHits (in batches of 1, 2 and 7) of `walker` over the unterminated text against
// the Find loop of `byFind` (the same pattern) over the same bytes zero-terminated, which end
// at the first zero among them.
inline void ExpectWalksAgree(CGrexmo& byFind, CGrexmo& walker, const std::string& text) {
    const std::vector<FoundHit> expected = AllHits(byFind, text.c_str());
    const std::string what = "text '" + Shown(text) + "'";
    const Unterminated exact(text);
    ASSERT_EQ(walker.Count(exact.data(), exact.size()), static_cast<long long>(expected.size()))
        << what;
    for (std::size_t capacity : {1, 2, 7}) {
        const std::vector<FoundHit> got = BatchedHits(walker, text, capacity);
        ASSERT_EQ(got.size(), expected.size()) << what << " batches of " << capacity;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].offset, expected[i].offset) << what << " hit " << i;
            ASSERT_EQ(got[i].text, expected[i].text) << what << " hit " << i;
        }
    }
}

// FindIn over the unterminated text against Find over the same bytes zero-terminated, from
// every start in order (where the object keeps its place) and then from a few at random
// (where it starts afresh); then the walks as above.
inline void ExpectToldLengthAgrees(CGrexmo& byFind, CGrexmo& told, const std::string& text,
                                   Rng& rng) {
    const Unterminated exact(text);
    const std::string what = "text '" + Shown(text) + "'";
    std::vector<std::size_t> starts;
    for (std::size_t start = 0; start <= text.size(); ++start) starts.push_back(start);
    for (int k = 0; k < 4; ++k)
        starts.push_back(static_cast<std::size_t>(Pick(rng, static_cast<int>(text.size()) + 1)));
    for (std::size_t start : starts) {
        const int want = byFind.Find(text.c_str(), static_cast<int>(start), false);
        const std::string wantText = byFind.GetHitText();
        ASSERT_EQ(told.FindIn(exact.data(), exact.size(), start), want)
            << what << " start " << start;
        ASSERT_EQ(std::string(told.GetHitText()), wantText) << what << " start " << start;
    }
    ExpectWalksAgree(byFind, told, text);
}

// `text` with a zero byte put in at `at`, and `tail` after the whole.
inline std::string WithZero(const std::string& text, std::size_t at, const std::string& tail) {
    std::string out = text.substr(0, at);
    out += '\0';
    out += text.substr(at);
    out += tail;
    return out;
}

}  // namespace grexmo_test

#endif
