// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace serz {

// The number of LF characters in a text, counted eight bytes at a time.
inline std::size_t countLineEnds(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, text.data() + i, 8);
        const std::uint64_t x = chunk ^ (kOnes * '\n');
        // The high bit of each byte that is zero in x, exactly; moved down to the low bit, the
        // multiplication sums the eight bytes into the top one.
        const std::uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
        count += static_cast<std::size_t>(((zero >> 7) * kOnes) >> 56);
    }
    for (; i < text.size(); ++i) {
        count += text[i] == '\n';
    }
    return count;
}

} // namespace serz
