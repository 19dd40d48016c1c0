// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/ProductChoices.h"

#include "core/TextRules.h"

namespace dovrel {

std::optional<std::vector<std::string>> productChoices(std::string_view providerText,
                                                       std::string_view providerProductList) {
    if (providerText.empty()) {
        return std::nullopt;
    }
    std::vector<std::string> items{"All"};
    const bool everyProvider = providerText == "All";
    for (const std::string& entry : splitAt(providerProductList, "|")) {
        const std::size_t slash = entry.find('\\');
        if (slash == std::string::npos) {
            continue;
        }
        const std::string_view provider = std::string_view(entry).substr(0, slash);
        if (everyProvider || provider == providerText) {
            items.push_back(entry.substr(slash + 1));
        }
    }
    return items;
}

} // namespace dovrel
