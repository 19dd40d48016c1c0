// SPDX-License-Identifier: GPL-3.0-or-later
#include "UniqueTexts.h"

namespace dovrel::sample {
namespace {

std::string newGuid(Random& random) {
    return random.guid();
}

std::string newVehicleNumber(Random& random) {
    return "92 80 " + std::to_string(random.between(1000, 9999)) + " " +
           std::to_string(random.between(100, 999)) + "-" + std::to_string(random.between(0, 9));
}

} // namespace

std::string UniqueTexts::guid(Random& random) {
    return setSize_ == 0 ? newGuid(random) : pick(guids_, random, newGuid);
}

std::string UniqueTexts::vehicleNumber(Random& random) {
    return setSize_ == 0 ? newVehicleNumber(random) : pick(numbers_, random, newVehicleNumber);
}

const std::string& UniqueTexts::pick(std::vector<std::string>& set, Random& random,
                                     std::string (*make)(Random&)) {
    while (set.size() < setSize_) {
        set.push_back(make(random));
    }
    return random.pick(set);
}

} // namespace dovrel::sample
