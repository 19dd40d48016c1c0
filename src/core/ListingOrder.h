// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The order in which folder entries are visited (assets, routes, scenarios): the names compared
// byte by byte with a-z folded to A-Z, ties broken by the exact bytes, as on the game's home file
// system: "abc", "Zeta", "_Common".
bool listingLess(std::string_view a, std::string_view b);
void sortInListingOrder(std::vector<std::string>& names);

} // namespace dovrel
