// SPDX-License-Identifier: GPL-3.0-or-later
#include "Random.h"

#include <cmath>

namespace dovrel::sample {

int Random::between(int low, int high) {
    if (high <= low) {
        return low;
    }
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<int>(next() % span);
}

double Random::real(double low, double high, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const auto steps = static_cast<int>(std::llround((high - low) * scale));
    return (std::llround(low * scale) + between(0, steps)) / scale;
}

std::uint32_t Random::id() {
    std::uint32_t value = 0;
    while (value == 0) {
        value = static_cast<std::uint32_t>(next() >> 32);
    }
    return value;
}

std::string Random::guid() {
    static constexpr char kHex[] = "0123456789abcdef";
    const std::uint64_t high = next();
    const std::uint64_t low = next();
    std::string text;
    for (int i = 0; i < 32; ++i) {
        const std::uint64_t half = i < 16 ? high : low;
        const int shift = 60 - 4 * (i % 16);
        if (i == 8 || i == 12 || i == 16 || i == 20) {
            text += '-';
        }
        text += kHex[(half >> shift) & 0xF];
    }
    return text;
}

} // namespace dovrel::sample
