// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RandomSource.h"

#include <charconv>
#include <chrono>

namespace dovrel {

MersenneRandomSource::MersenneRandomSource(std::uint64_t seed) : generator_(seed) {}

std::uint64_t MersenneRandomSource::seedFrom(std::optional<std::string_view> environmentSeed) {
    if (environmentSeed) {
        std::uint64_t seed = 0;
        const auto [end, error] =
            std::from_chars(environmentSeed->data(), environmentSeed->data() + environmentSeed->size(), seed);
        if (error == std::errc() && end == environmentSeed->data() + environmentSeed->size()) {
            return seed;
        }
    }
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

double MersenneRandomSource::next() {
    // 53 random bits scaled into [0, 1); never reaches 1.
    return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

std::int64_t newRandomId(RandomSource& random) {
    double r = random.next();
    if (!(r >= 0.0 && r < 1.0)) {
        r = 0.0;
    }
    return 100000000 + static_cast<std::int64_t>(r * 900000000.0);
}

} // namespace dovrel
