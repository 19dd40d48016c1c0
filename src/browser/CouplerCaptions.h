// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The caption of coupler check box `element` (1 upward) for a coupler name: the element's capital
// letter (A for 1 ... Z for 26), a blank and the name. Past Z there is no letter, so the caption
// starts with the blank.
std::string couplerBoxCaption(std::size_t element, std::string_view couplerName);

// The captions of elements 1 to N for the scan's coupler list, item i giving element i + 1.
std::vector<std::string> couplerBoxCaptions(std::span<const std::string> couplerList);

// The coupler name of a box: the text after the caption's first blank; empty when it has none.
std::string_view couplerNameOfCaption(std::string_view caption);

// The texts of the two coupler captions under " Coupling Type For Selected Unit (front/rear)" for a
// clicked list item: the short names of the first record in the whole catalogue with that englishName,
// with their case. A front coupling "*" shows "?", a rear one "*"; both stay "?" when no record matches.
struct SelectedUnitCouplers {
    std::string front = "?";
    std::string rear = "?";
};
SelectedUnitCouplers couplersOfListItem(const Catalogue& catalogue, std::string_view itemText);
// The same texts for a record itself, as for a found item that names its own record.
SelectedUnitCouplers couplersOfRecord(std::string_view record);

} // namespace dovrel
