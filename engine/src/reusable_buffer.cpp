#include "engine/reusable_buffer.h"

#include <algorithm>
#include <new>

namespace quelbrix {

std::unique_ptr<char[]> AllocateNothrow(std::size_t bytes) {
    return std::unique_ptr<char[]>(new (std::nothrow) char[bytes]);
}

char* ReusableBuffer::Reserve(std::size_t bytes) {
    if (bytes <= capacity_) return data_.get();
    // A kept buffer at least doubles, so that it settles after a few files.
    std::size_t size = bytes;
    if (bytes <= kKeptBytes)
        size = std::min(kKeptBytes, std::max({bytes, 2 * capacity_, kFirstBytes}));
    // The old block goes first, so that the two are never held at once.
    data_.reset();
    capacity_ = 0;
    data_ = allocate_(size);
    if (data_) capacity_ = size;
    return data_.get();
}

void ReusableBuffer::GiveBackLarge() {
    if (capacity_ <= kKeptBytes) return;
    data_.reset();
    capacity_ = 0;
}

}  // namespace quelbrix
