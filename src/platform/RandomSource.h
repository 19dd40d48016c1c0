// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string_view>

namespace dovrel {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number in [0, 1).
    virtual double next() = 0;
};

// std::mt19937_64 seeded once: from DOVREL_RANDOM_SEED when it holds a number, else the clock.
class MersenneRandomSource final : public RandomSource {
public:
    explicit MersenneRandomSource(std::uint64_t seed);
    static std::uint64_t seedFrom(std::optional<std::string_view> environmentSeed);
    double next() override;

private:
    std::mt19937_64 generator_;
};

// A fresh identifier for the game's files: 100000000 + the integer part of r * 900000000.
std::int64_t newRandomId(RandomSource& random);

} // namespace dovrel
