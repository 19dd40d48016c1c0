// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace serz {

// The exact decimal digits of a finite, positive double. Every double is a finite binary
// fraction, so its decimal expansion ends; rounding rules are then applied to these digits.
class DecimalExpansion {
public:
    explicit DecimalExpansion(double magnitude);

    // The significant digits, without leading or trailing zeros.
    std::string_view digits() const { return {digits_, length_}; }

    // The value is 0.DIGITS times ten to this power.
    int pointPosition() const { return point_; }

    // The digit at an index, '0' past the end (and for negative indexes, which lie before
    // the first significant digit).
    char digitAt(long index) const {
        return index >= 0 && static_cast<std::size_t>(index) < length_ ? digits_[index] : '0';
    }

private:
    // 2^1024 has 309 digits; the smallest subnormal times 2^1074 has 767.
    static constexpr std::size_t kMaxDigits = 800;

    char digits_[kMaxDigits];
    std::size_t length_ = 0;
    int point_ = 0;
};

} // namespace serz
