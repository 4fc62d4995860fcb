#include "reusable_buffer.h"

#include <algorithm>
#include <new>

namespace quelbrix {

std::unique_ptr<char[]> AllocateNothrow(std::size_t bytes) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[bytes]);
}

char* ReusableBuffer::Reserve(std::size_t bytes) {
    if (bytes <= capacity_ && (capacity_ <= kKeptBytes || bytes > kKeptBytes)) return data_.get();
    // A kept buffer at least doubles, so that it settles after a few files; a block that was
    // too large to keep is not a measure for the next one.
    std::size_t size = bytes;
    if (bytes <= kKeptBytes) {
        const std::size_t doubled = capacity_ <= kKeptBytes ? 2 * capacity_ : 0;
        size = std::min(kKeptBytes, std::max({bytes, doubled, kFirstBytes}));
    }
    // The old block goes first, so that the two are never held at once.
    data_.reset();
    capacity_ = 0;
    data_ = allocate_(size);
    if (data_) capacity_ = size;
    return data_.get();
}

}  // namespace quelbrix
