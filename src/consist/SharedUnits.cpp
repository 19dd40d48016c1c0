// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/SharedUnits.h"

#include <utility>

namespace dovrel {

namespace {
const std::vector<std::string> kNoUnits;
}

SharedUnits::SharedUnits(std::vector<std::string> units)
    : units_(units.empty() ? nullptr : std::make_shared<const std::vector<std::string>>(std::move(units))) {}

SharedUnits::SharedUnits(std::initializer_list<std::string> units)
    : SharedUnits(std::vector<std::string>(units)) {}

const std::vector<std::string>& SharedUnits::units() const {
    return units_ ? *units_ : kNoUnits;
}

std::size_t SharedUnits::bytes() const {
    if (!units_) {
        return 0;
    }
    constexpr std::size_t kSharedBlock = 48;
    std::size_t total =
        kSharedBlock + sizeof(std::vector<std::string>) + units_->capacity() * sizeof(std::string);
    for (const std::string& unit : *units_) {
        total += textStorageBytes(unit);
    }
    return total;
}

bool SharedUnits::operator==(const SharedUnits& other) const {
    return units_ == other.units_ || units() == other.units();
}

std::size_t textStorageBytes(const std::string& text) {
    const std::size_t shortBuffer = std::string().capacity();
    return text.capacity() > shortBuffer ? text.capacity() + 1 : 0;
}

} // namespace dovrel
