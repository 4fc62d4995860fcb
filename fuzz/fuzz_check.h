// What the fuzz targets share: a check that stops the run with a message (libFuzzer keeps the
// input that did it), and a reader that turns the fuzzer's bytes into choices and strings.
#ifndef QUELBRIX_FUZZ_CHECK_H
#define QUELBRIX_FUZZ_CHECK_H

#include "shown_bytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", __FILE__, __LINE__, #condition, \
                         std::string(what).c_str());                                               \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace quelbrix_fuzz {

// Reads the input front to back; once it runs out every choice is 0 and strings are empty.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    bool Flag() { return Byte() & 1; }
    // A choice among n (n >= 1).
    std::size_t Pick(std::size_t n) { return Byte() % n; }
    std::uint32_t Uint32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return v;
    }
    // Bytes up to the next 0xFF separator (not included), or to the end.
    std::string Field() {
        std::string s;
        while (at_ < size_ && data_[at_] != 0xFF) s += static_cast<char>(data_[at_++]);
        if (at_ < size_) ++at_;
        return s;
    }
    std::string Rest() {
        std::string s(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
        at_ = size_;
        return s;
    }
    bool Empty() const { return at_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

using quelbrix_test_text::Shown;

}  // namespace quelbrix_fuzz

#endif
