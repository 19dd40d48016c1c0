// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace dovrel::sample {

// The names the editor finds by its resolver (the exact spelling, else any letter case).
struct FixedNames {
    std::string content;
    std::string routes;
    std::string assets;
    std::string consistTemplates;
    std::string scenarios;
    std::string scenario;
};

// The game's own spelling, or every name in lower case.
FixedNames fixedNames(bool lowerCase);

} // namespace dovrel::sample
