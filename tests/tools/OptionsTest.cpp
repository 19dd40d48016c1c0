// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of make-sample-game: the options in any order, and every refusal with its reason.

#include "Options.h"

#include <gtest/gtest.h>

namespace dovrel::sample {
namespace {

TEST(Options, AreReadInAnyOrderOrRefusedWithTheReason) {
    struct Case {
        std::vector<std::string> arguments;
        std::string refusal; // empty: the options below
        Options options{};
    };
    const Case cases[] = {
        {{"game"}, "", {"game", 1, 60, false, false, false}},
        {{"--units", "100000", "out dir", "--lower-case", "--seed", "18446744073709551615"},
         "",
         {"out dir", 18446744073709551615ull, 100000, true, false, false}},
        {{"--help"}, "", {"", 1, 60, false, false, true}},
        {{"--packed", "game"}, "", {"game", 1, 60, false, true, false}},
        {{"game", "--scenario-mb", "100"}, "", {"game", 1, 60, false, false, false, 100}},
        {{"a", "--scenario-mb", "0"}, "--scenario-mb must be from 1 to 100, not 0"},
        {{"a", "--scenario-mb", "101"}, "--scenario-mb must be from 1 to 100, not 101"},
        {{}, "the folder DIR is missing"},
        {{""}, "the folder name is empty"},
        {{"a", "b"}, "only one folder can be given (\"a\" and \"b\")"},
        {{"a", "--seed"}, "--seed needs a number"},
        {{"a", "--seed", "-1"}, "--seed needs a whole number, not \"-1\""},
        {{"a", "--units", "0"}, "--units must be from 1 to 100000, not 0"},
        {{"a", "--units", " 5"}, "--units needs a whole number, not \" 5\""},
        {{"a", "--lowercase"}, "unknown option --lowercase"},
    };
    for (const Case& c : cases) {
        const auto result = parseOptions(c.arguments);
        const auto* refusal = std::get_if<std::string>(&result);
        const auto* options = std::get_if<Options>(&result);
        EXPECT_EQ(refusal != nullptr ? *refusal : "", c.refusal) << c.refusal;
        if (options != nullptr) {
            const Options& o = *options;
            const Options& e = c.options;
            EXPECT_EQ(std::make_tuple(o.folder, o.seed, o.units, o.lowerCase, o.packed, o.help,
                                      o.scenarioMegabytes),
                      std::make_tuple(e.folder, e.seed, e.units, e.lowerCase, e.packed, e.help,
                                      e.scenarioMegabytes));
        }
    }
}

} // namespace
} // namespace dovrel::sample
