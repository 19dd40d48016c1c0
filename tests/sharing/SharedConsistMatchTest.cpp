// SPDX-License-Identifier: GPL-3.0-or-later
// A shared consist's units found in another installation's stock, and the stand-ins offered for the
// units it lacks.
#include "sharing/SharedConsistMatch.h"
#include "core/TextRules.h"
#include "sharing/ClosestUnits.h"
#include "sharing/SharedConsistMessages.h"
#include "support/CatalogueRecords.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::recordLine;
using testing::unit;

const std::string kClass20 = recordLine(unit("diesel", "Class 20", "acme", "pack"));
const std::string kClass37 = recordLine(unit("diesel", "Class 37", "Acme", "Pack"));
const std::string kClass47 = recordLine(unit("diesel", "Class 47", "Acme", "Pack"));
const std::string kHopper = recordLine(unit("freight", "Hopper", "Acme", "Pack"));
const std::string kChained = recordLine(unit("diesel", "Class 21", "Acme", "Pack", "Chain.xml", "Chain.xml"));

SharedUnit sharedOf(const std::string& record, bool reversed = false) {
    SharedUnit shared = sharedConsistOf("", {record + "|0"}).units.front();
    shared.reversed = reversed;
    return shared;
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = asciiUpper(c);
    }
    return text;
}

TEST(SharedConsistMatchTest, UnitsAreFoundWhateverTheLetterCaseOfTheirFolders) {
    SharedUnit shouted = sharedOf(kClass20, true);
    shouted.provider = upper(shouted.provider);
    shouted.product = upper(shouted.product);
    shouted.blueprint = upper(shouted.blueprint);
    const SharedConsistMatch match =
        matchSharedConsist({"N", {shouted, sharedOf(kHopper)}}, {kClass20, kHopper});
    EXPECT_EQ(match.units, (std::vector<std::string>{kClass20 + "|1", kHopper + "|0"}));
    EXPECT_TRUE(match.missing.empty());
}

TEST(SharedConsistMatchTest, AUnitOfAnotherProviderIsMissing) {
    SharedUnit elsewhere = sharedOf(kHopper);
    elsewhere.provider = "Other";
    const SharedConsistMatch match =
        matchSharedConsist({"N", {sharedOf(kClass20), elsewhere}}, {kClass20, kHopper});
    EXPECT_EQ(match.units, std::vector<std::string>{kClass20 + "|0"});
    EXPECT_EQ(match.missing, std::vector<std::size_t>{1});
}

TEST(SharedConsistMatchTest, EditDistanceCountsSingleByteChangesIgnoringCase) {
    EXPECT_EQ(editDistance("Class 20", "class 20"), 0u);
    EXPECT_EQ(editDistance("Class 20", "Class 21"), 1u);
    EXPECT_EQ(editDistance("", "abc"), 3u);
    EXPECT_EQ(editDistance("kitten", "sitting"), 3u);
}

TEST(SharedConsistMatchTest, StandInsShareClassAndCouplersAndComeNearestNameFirst) {
    SharedUnit missing = sharedOf(kClass20);
    missing.name = "Class 46";
    const std::vector<std::string> catalogue{kHopper, kChained, kClass20, kClass37, kClass47};
    EXPECT_EQ(closestInstalledUnits(missing, catalogue, 2), (std::vector<std::string>{kClass47, kClass20}));
}

TEST(SharedConsistMatchTest, WithoutClassOrCouplersEveryUnitMayStandIn) {
    const SharedUnit bare{"P", "Q", "B", "Hoppers", false, "", "", ""};
    EXPECT_EQ(closestInstalledUnits(bare, {kClass20, kChained, kHopper}, 1),
              std::vector<std::string>{kHopper});
}

TEST(SharedConsistMatchTest, LeftOutUnitsAreNamedOneALineThenCounted) {
    SharedConsist consist{"N", std::vector<SharedUnit>(sharingmessages::kNamedUnits + 2, sharedOf(kHopper))};
    consist.units[0].name = "Lost Wagon";
    SharedConsistMatch match;
    for (std::size_t i = 0; i < consist.units.size(); ++i) {
        match.missing.push_back(i);
    }
    const std::string text = sharingmessages::unitsLeftOut(consist, match);
    EXPECT_TRUE(text.starts_with(
        "22 of the 22 units are not installed and were left out:\r\n\r\nLost Wagon (Acme\\Pack\\"))
        << text;
    EXPECT_TRUE(text.ends_with("\r\n... and 2 more.")) << text;
}

TEST(SharedConsistMatchTest, AnExportedFileGetsTheExtensionWhenItLacksIt) {
    EXPECT_EQ(withSharedConsistExtension("/a/coal"), "/a/coal.dovrel-consist");
    EXPECT_EQ(withSharedConsistExtension("/a/coal.json"), "/a/coal.json.dovrel-consist");
    EXPECT_EQ(withSharedConsistExtension("/a/Coal.DOVREL-Consist"), "/a/Coal.DOVREL-Consist");
}

} // namespace
} // namespace dovrel
