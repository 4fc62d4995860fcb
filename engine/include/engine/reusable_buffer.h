// A byte buffer that a search keeps from file to file, so that reading or converting a file
// does not cost an allocation each time.
#ifndef QUELBRIX_REUSABLE_BUFFER_H
#define QUELBRIX_REUSABLE_BUFFER_H

#include <cstddef>
#include <memory>

namespace quelbrix {

// Obtains a block of memory; null when it cannot. Tests put in one that fails.
using BufferAllocator = std::unique_ptr<char[]> (*)(std::size_t bytes);

std::unique_ptr<char[]> AllocateNothrow(std::size_t bytes);

class ReusableBuffer {
public:
    // Buffers up to this size are kept for the next file; a larger one is given back once its
    // file is done, so that one big file does not hold its memory for the rest of the search.
    static constexpr std::size_t kKeptBytes = 16u << 20;
    static constexpr std::size_t kFirstBytes = 64u << 10;

    explicit ReusableBuffer(BufferAllocator allocate = AllocateNothrow) : allocate_(allocate) {}

    // At least `bytes` bytes (what they held before is not kept); null when they cannot be
    // obtained, and then nothing is held.
    char* Reserve(std::size_t bytes);
    // Gives the block back when it is larger than what is kept.
    void GiveBackLarge();

private:
    BufferAllocator allocate_;
    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0;
};

}  // namespace quelbrix

#endif
