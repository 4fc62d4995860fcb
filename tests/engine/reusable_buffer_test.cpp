#include "engine/reusable_buffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace quelbrix {
namespace {

std::vector<std::size_t> g_allocations;
bool g_refuse = false;

std::unique_ptr<char[]> Record(std::size_t bytes) {
    g_allocations.push_back(bytes);
    return g_refuse ? nullptr : std::unique_ptr<char[]>(new char[bytes]);
}

class ReusableBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_allocations.clear();
        g_refuse = false;
    }
    ReusableBuffer buffer{Record};
};

constexpr std::size_t kKept = ReusableBuffer::kKeptBytes;

TEST_F(ReusableBufferTest, SmallerOrEqualRequestsReuseTheBlock) {
    char* first = buffer.Reserve(100);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(buffer.Reserve(ReusableBuffer::kFirstBytes), first);
    EXPECT_EQ(buffer.Reserve(1), first);
    EXPECT_EQ(g_allocations.size(), 1u);
}

TEST_F(ReusableBufferTest, AGrowingBufferAtLeastDoublesUpToWhatIsKept) {
    constexpr std::size_t kFirst = ReusableBuffer::kFirstBytes;
    buffer.Reserve(kFirst + 1);
    buffer.Reserve(kFirst + 2);
    buffer.Reserve(kKept / 2 + 1);
    buffer.Reserve(kKept / 2 + 2);
    EXPECT_EQ(g_allocations,
              (std::vector<std::size_t>{kFirst + 1, 2 * kFirst + 2, kKept / 2 + 1, kKept}));
}

TEST_F(ReusableBufferTest, OnlyABlockLargerThanWhatIsKeptIsGivenBack) {
    char* kept = buffer.Reserve(kKept);
    buffer.GiveBackLarge();
    EXPECT_EQ(buffer.Reserve(10), kept);
    buffer.Reserve(kKept + 1);
    buffer.GiveBackLarge();
    buffer.Reserve(10);
    EXPECT_EQ(g_allocations,
              (std::vector<std::size_t>{kKept, kKept + 1, ReusableBuffer::kFirstBytes}));
}

TEST_F(ReusableBufferTest, RefusedRequestHoldsNothingAndTheNextOneTriesAgain) {
    buffer.Reserve(10);
    g_refuse = true;
    EXPECT_EQ(buffer.Reserve(kKept + 1), nullptr);
    g_refuse = false;
    EXPECT_NE(buffer.Reserve(10), nullptr);
    EXPECT_EQ(g_allocations.size(), 3u);
}

}  // namespace
}  // namespace quelbrix
