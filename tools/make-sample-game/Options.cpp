// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include <charconv>
#include <optional>

namespace dovrel::sample {
namespace {

// A whole decimal number: digits only, no sign or spaces, no overflow.
std::optional<std::uint64_t> wholeNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string usageText() {
    return "usage: make-sample-game DIR [--seed N] [--units N] [--lower-case] [--packed] [--scenario-mb N]\n"
           "Writes a sample installation of the game into DIR: Vantor.exe (empty), Assets with rolling "
           "stock\n"
           "and the blueprints beside it, Content/ConsistTemplates.bin and routes with scenarios. Every "
           ".bin\n"
           "is made by the serz codec.\n"
           "  --seed N      the seed of the variation (default 1); the same seed gives the same bytes\n"
           "  --units N     about N vehicle blueprints (default 60, at most 100000); the vehicles that\n"
           "                show the edge cases are always written, so fewer than those are not made\n"
           "  --lower-case  writes Content, Routes, Assets, ConsistTemplates.bin, Scenarios and\n"
           "                Scenario.bin in lower case\n"
           "  --packed      writes most products as .ap archives (zip) in their product folder, the\n"
           "                same stock as without it; among them a loose file that overrides its\n"
           "                packed copy, an archive that is not one, a damaged entry, and entries with\n"
           "                \"\\\" between the parts of their paths\n"
           "  --scenario-mb N  fills every scenario up to about N MB of .bin (1 to 100) with more\n"
           "                trains of the stock, their vehicles, floats and nested entities\n"
           "  --help        shows this text\n"
           "DIR must be missing, empty, or an earlier sample: a folder with the file .make-sample-game,\n"
           "which lists the files an earlier run wrote. Those files are removed first; nothing else in\n"
           "DIR is deleted or replaced.\n";
}

std::variant<Options, std::string> parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    bool haveFolder = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        if (argument == "--lower-case") {
            options.lowerCase = true;
            continue;
        }
        if (argument == "--packed") {
            options.packed = true;
            continue;
        }
        if (argument == "--seed" || argument == "--units" || argument == "--scenario-mb") {
            if (i + 1 >= arguments.size()) {
                return argument + " needs a number";
            }
            const std::string& text = arguments[++i];
            const auto value = wholeNumber(text);
            if (!value) {
                return argument + " needs a whole number, not \"" + text + "\"";
            }
            if (argument == "--seed") {
                options.seed = *value;
            } else if (argument == "--scenario-mb") {
                if (*value < 1 || *value > static_cast<std::uint64_t>(kMaxScenarioMegabytes)) {
                    return "--scenario-mb must be from 1 to " + std::to_string(kMaxScenarioMegabytes) +
                           ", not " + text;
                }
                options.scenarioMegabytes = static_cast<int>(*value);
            } else if (*value < 1 || *value > static_cast<std::uint64_t>(kMaxUnits)) {
                return "--units must be from 1 to " + std::to_string(kMaxUnits) + ", not " + text;
            } else {
                options.units = static_cast<int>(*value);
            }
            continue;
        }
        if (argument.starts_with("-") && argument != "-") {
            return "unknown option " + argument;
        }
        if (haveFolder) {
            return "only one folder can be given (\"" + options.folder.string() + "\" and \"" + argument +
                   "\")";
        }
        if (argument.empty()) {
            return "the folder name is empty";
        }
        options.folder = argument;
        haveFolder = true;
    }
    if (!haveFolder) {
        return "the folder DIR is missing";
    }
    return options;
}

} // namespace dovrel::sample
