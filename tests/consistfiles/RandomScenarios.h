// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConsistFilesWorld.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace dovrel::consisttest {

inline int below(std::mt19937& random, int bound) {
    return static_cast<int>(random() % static_cast<unsigned>(bound));
}

// A scenario (.bin) of `consists` random consists of catalogued, missing and unnamed vehicles, each
// with or without a service; with `firstListsARow` its first consist starts with a catalogued
// locomotive, so it always lists a row.
inline std::string randomScenarioBin(std::mt19937& random, int consists, bool firstListsARow) {
    const std::vector<std::string> blueprints = {kLoco, kWagon, R"(RAILVEHICLES\Freight\HOPPER\Hopper.XML)",
                                                 R"(Kits\Old\oldwagon.xml)", "gone.xml"};
    const std::vector<std::string> services = {"", "1A05 Mail", "Coal &amp; Coke", "Goods"};
    std::vector<std::string> parts;
    for (int c = 0; c < consists; ++c) {
        std::vector<Entry> vehicles;
        if (firstListsARow && parts.empty()) {
            vehicles.push_back({kLoco, "1"});
        }
        for (int v = below(random, 4); v > 0; --v) {
            Entry vehicle{blueprints[below(random, static_cast<int>(blueprints.size()))],
                          below(random, 2) == 0 ? "0" : "1"};
            if (below(random, 8) == 0) {
                vehicle.tag.clear();
            }
            vehicles.push_back(vehicle);
        }
        parts.push_back(scenarioConsist(std::to_string(below(random, 1000)), vehicles,
                                        services[below(random, static_cast<int>(services.size()))]));
    }
    const serz::Result<std::string> bin = serz::convert(serz::Direction::XmlToBin, scenarioFile(parts));
    EXPECT_TRUE(bin.ok());
    return bin.ok() ? bin.value() : std::string();
}

} // namespace dovrel::consisttest
