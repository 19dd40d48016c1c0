// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/BrowserSide.h"
#include "browser/CouplerFilter.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The texts of one panel's three combo boxes, as shown.
struct ListFilterTexts {
    std::string_view provider;
    std::string_view product;
    std::string_view unitClass;
};

// The side test on unitClass, compared with its case: the loco list takes "diesel", "electric", "steam"
// and "tender", the wagon list "passenger" and "freight"; any other class is in neither list.
bool belongsToSide(BrowserSide side, std::string_view unitClass);

// The catalogue positions of the records whose names are the items of the loco or wagon list: every
// catalogue record in use that passes, in catalogue order, the side test, the provider and product
// tests (in lower case, "all" taking every record), the class test ("all" takes the side's every
// class; the loco value "steam" also takes tenders) and the coupler filter; the list shows each one's
// englishName. Empty optional when the class text is empty: the list and the commands are then left as
// they are.
std::optional<std::vector<std::size_t>> listedRecords(BrowserSide side,
                                                      std::span<const std::string> catalogue,
                                                      const ListFilterTexts& texts,
                                                      std::span<const CouplerBox> boxes);

} // namespace dovrel
