// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The items of a product combo box after a provider has been chosen: "All", then the product of every
// entry of providerProductList (provider + "\" + product, entries joined by "|") whose provider equals
// the chosen text exactly, in list order. The provider text "All", compared with its case, takes every
// entry, so a product held by two providers stands twice. An entry without "\" names no product and is
// passed over. Empty optional when the provider text is empty: the product box is left as it is.
std::optional<std::vector<std::string>> productChoices(std::string_view providerText,
                                                       std::string_view providerProductList);

} // namespace dovrel
