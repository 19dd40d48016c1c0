// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Random.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dovrel::sample {

// The texts a game file gives one thing each: GUIDs in their text form and vehicle numbers.
// Fresh, each is drawn anew from the variation. Drawn from a set, each is one of a fixed number
// of texts made on first use: the binary form indexes at most 65,535 distinct strings, so a
// scenario of many megabytes takes its trains' texts from a set.
class UniqueTexts {
public:
    static UniqueTexts fresh() { return UniqueTexts(0); }
    static UniqueTexts fromSet(std::size_t size) { return UniqueTexts(size); }

    std::string guid(Random& random);
    std::string vehicleNumber(Random& random);

private:
    explicit UniqueTexts(std::size_t setSize) : setSize_(setSize) {}

    const std::string& pick(std::vector<std::string>& set, Random& random, std::string (*make)(Random&));

    std::size_t setSize_;
    std::vector<std::string> guids_;
    std::vector<std::string> numbers_;
};

} // namespace dovrel::sample
