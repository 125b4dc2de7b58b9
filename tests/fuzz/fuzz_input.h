// Splitting a fuzzer's input into the pieces a target needs: length-prefixed strings
// first, the rest as one piece. Every read is bounded by the input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    // A piece whose length is the next byte (cut to what is left).
    std::string_view piece() {
        if (pos_ >= size_)
            return {};
        size_t n = uint8_t(data_[pos_++]);
        return take(n);
    }

    // The next byte, 0 when none is left.
    uint8_t byte() { return pos_ < size_ ? uint8_t(data_[pos_++]) : 0; }

    // A piece of up to 65535 bytes, its length in the next two bytes (little-endian).
    std::string_view longPiece() {
        size_t n = byte();
        n |= size_t(byte()) << 8;
        return take(n);
    }

    std::string_view rest() { return take(size_ - pos_); }

private:
    std::string_view take(size_t n) {
        n = std::min(n, size_ - pos_);
        std::string_view s(data_ + pos_, n);
        pos_ += n;
        return s;
    }

    const char* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Ends the run as a finding when a property does not hold.
inline void require(bool holds) {
    if (!holds)
        __builtin_trap();
}

} // namespace fuzz
