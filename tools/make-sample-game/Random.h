// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace dovrel::sample {

// The one source of variation in a sample installation. Everything is derived from the raw
// 64-bit output of std::mt19937_64, whose sequence the standard fixes, so the same seed gives
// the same installation on every machine (the standard distributions are not used: their
// results differ between libraries).
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    std::uint64_t next() { return engine_(); }

    // A whole number from low to high, both included.
    int between(int low, int high);

    // A value from low to high on a grid of `decimals` decimal places.
    double real(double low, double high, int decimals);

    // True in about `percent` of the calls.
    bool chance(int percent) { return between(1, 100) <= percent; }

    // A non-zero element id as the game hands them out: any 32-bit value, a good share of them
    // above 2^31 (printed negative).
    std::uint32_t id();

    // A GUID in its usual text form, lower case.
    std::string guid();

    template <class T> const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(between(0, static_cast<int>(items.size()) - 1))];
    }

private:
    std::mt19937_64 engine_;
};

} // namespace dovrel::sample
