// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedNames.h"

namespace dovrel::sample {
namespace {

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace

FixedNames fixedNames(bool lowerCase) {
    FixedNames names{"Content", "Routes", "Assets", "ConsistTemplates.bin", "Scenarios", "Scenario.bin"};
    if (lowerCase) {
        for (std::string* name : {&names.content, &names.routes, &names.assets, &names.consistTemplates,
                                  &names.scenarios, &names.scenario}) {
            *name = lower(*name);
        }
    }
    return names;
}

} // namespace dovrel::sample
