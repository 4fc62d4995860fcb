// The output side of a converter: writes characters while keeping the output proper below the
// capacity, so that the terminating 0 always fits.
#ifndef QUELBRIX_SJIS_WRITER_H
#define QUELBRIX_SJIS_WRITER_H

#include <cstddef>
#include <cstdint>
#include <limits>

#include "sjis_char.h"

namespace quelbrix {

class SjisWriter {
public:
    // The count must also fit the converters' 32-bit result, hence the clamp.
    SjisWriter(char* dest, std::uint32_t capacity)
        : dest_(dest),
          out_(dest),
          room_(capacity < kMaxRoom ? capacity : kMaxRoom) {}

    // False, writing nothing, when the character would bring the output to the capacity.
    bool Put(SjisCode code) {
        const std::size_t size = SjisCharSize(code);
        if (size >= room_) return false;
        room_ -= size;
        out_ += PutSjisChar(out_, code);
        return true;
    }

    // Terminates the output; the byte count, or -1 when not even the terminator fits.
    std::int32_t Finish() {
        if (room_ == 0) return -1;
        *out_ = '\0';
        return static_cast<std::int32_t>(out_ - dest_);
    }

private:
    static constexpr std::size_t kMaxRoom =
        static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

    char* const dest_;
    char* out_;
    std::size_t room_;  // capacity minus the bytes written so far
};

}  // namespace quelbrix

#endif
