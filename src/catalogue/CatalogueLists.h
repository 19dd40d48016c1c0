// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <string>
#include <vector>

namespace dovrel {

// The lists the browser takes from the catalogue, each in order of first appearance from slot 0 on.
struct CatalogueLists {
    // The distinct providers (field 2), joined by "|".
    std::string providerList;
    // The distinct pairs provider + "\" + product (fields 2 and 3), joined by "|".
    std::string providerProductList;
    // The distinct short coupler names, for each record first the front, then the rear coupling.
    std::vector<std::string> couplerList;

    static CatalogueLists of(const Catalogue& catalogue);
};

} // namespace dovrel
