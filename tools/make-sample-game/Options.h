// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace dovrel::sample {

struct Options {
    std::filesystem::path folder;
    std::uint64_t seed = 1;
    int units = 60;
    bool lowerCase = false;
    bool packed = false;
    bool help = false;
    int scenarioMegabytes = 0; // 0: the scenarios hold their own trains only
};

inline constexpr int kMaxUnits = 100000;
inline constexpr int kMaxScenarioMegabytes = 100;

// The options of a command line (without the program name), or what is wrong with it.
std::variant<Options, std::string> parseOptions(const std::vector<std::string>& arguments);

// The --help text.
std::string usageText();

} // namespace dovrel::sample
