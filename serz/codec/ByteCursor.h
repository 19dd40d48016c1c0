// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace serz {

// Bounds-checked little-endian reads from a byte buffer. A read that would pass the end reads
// nothing and returns false.
class ByteCursor {
public:
    explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

    std::size_t offset() const { return offset_; }
    std::size_t size() const { return bytes_.size(); }
    bool atEnd() const { return offset_ == bytes_.size(); }
    bool has(std::size_t count) const { return bytes_.size() - offset_ >= count; }

    const unsigned char* here() const {
        return reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_;
    }

    // Reads `width` bytes (at most 8) as a little-endian unsigned number.
    bool read(std::size_t width, std::uint64_t& value) {
        if (!has(width)) {
            return false;
        }
        const unsigned char* p = here();
        value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value |= std::uint64_t{p[i]} << (8 * i);
        }
        offset_ += width;
        return true;
    }

    bool readBytes(std::size_t count, std::string_view& bytes) {
        if (!has(count)) {
            return false;
        }
        bytes = bytes_.substr(offset_, count);
        offset_ += count;
        return true;
    }

    void skip(std::size_t count) { offset_ += count; }

    // The bytes between two offsets already passed.
    std::string_view slice(std::size_t from, std::size_t to) const { return bytes_.substr(from, to - from); }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

} // namespace serz
