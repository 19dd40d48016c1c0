// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ListingOrder.h"

#include "core/TextRules.h"

#include <algorithm>

namespace dovrel {

bool listingLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(asciiUpper(a[i]));
        const auto right = static_cast<unsigned char>(asciiUpper(b[i]));
        if (left != right) {
            return left < right;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

void sortInListingOrder(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return listingLess(a, b); });
}

} // namespace dovrel
