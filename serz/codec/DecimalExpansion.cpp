// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecimalExpansion.h"

#include <bit>
#include <cstdint>

namespace serz {
namespace {

// An unsigned integer in base-10^9 limbs, least significant first, big enough for the largest
// product this class forms (a 53-bit mantissa times 5^1074, or times 2^971).
class DecimalLimbs {
public:
    explicit DecimalLimbs(std::uint64_t value) {
        while (value != 0) {
            limbs_[count_++] = static_cast<std::uint32_t>(value % kBase);
            value /= kBase;
        }
    }

    void multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < count_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        while (carry != 0) {
            limbs_[count_++] = static_cast<std::uint32_t>(carry % kBase);
            carry /= kBase;
        }
    }

    // Writes the decimal digits, most significant first; returns how many.
    std::size_t writeDigits(char* out) const {
        std::size_t n = 0;
        char top[10];
        std::size_t topLength = 0;
        for (std::uint32_t v = limbs_[count_ - 1]; v != 0; v /= 10) {
            top[topLength++] = static_cast<char>('0' + v % 10);
        }
        while (topLength > 0) {
            out[n++] = top[--topLength];
        }
        for (std::size_t i = count_ - 1; i-- > 0;) {
            std::uint32_t v = limbs_[i];
            for (int d = 8; d >= 0; --d) {
                out[n + d] = static_cast<char>('0' + v % 10);
                v /= 10;
            }
            n += 9;
        }
        return n;
    }

private:
    static constexpr std::uint32_t kBase = 1'000'000'000;
    std::uint32_t limbs_[90] = {};
    std::size_t count_ = 0;
};

constexpr std::uint32_t kPowersOfFive[] = {1,     5,      25,      125,     625,      3125,      15625,
                                           78125, 390625, 1953125, 9765625, 48828125, 244140625, 1220703125};

} // namespace

DecimalExpansion::DecimalExpansion(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biasedExponent != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biasedExponent - 1075;
    }
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    exponent += zeros;

    // value = mantissa * 2^exponent. For a negative exponent, mantissa * 5^-exponent holds the
    // digits, with the point -exponent places from the right.
    DecimalLimbs number(mantissa);
    int fractionDigits = 0;
    if (exponent >= 0) {
        for (int left = exponent; left > 0; left -= 29) {
            number.multiply(std::uint32_t{1} << (left < 29 ? left : 29));
        }
    } else {
        fractionDigits = -exponent;
        for (int left = fractionDigits; left > 0; left -= 13) {
            number.multiply(kPowersOfFive[left < 13 ? left : 13]);
        }
    }
    length_ = number.writeDigits(digits_);
    point_ = static_cast<int>(length_) - fractionDigits;
    while (length_ > 1 && digits_[length_ - 1] == '0') {
        --length_;
    }
}

} // namespace serz
