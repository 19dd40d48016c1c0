// SPDX-License-Identifier: GPL-3.0-or-later
// What the generator makes: every blueprint XML is the converter's own text; the blueprint reader
// takes from each vehicle its names and couplings and skips the other blueprints; and the cases the
// readers have to meet are all there. (The planned cases of the consist files are read end to end by
// the consist file sessions.)

#include "Blueprints.h"
#include "StockList.h"

#include "catalogue/BlueprintReader.h"
#include "platform/DiskFiles.h"
#include "platform/doubles/CountingEventPump.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace dovrel::sample {
namespace {

// True when the XML converts to the binary form and the converter writes the same text back.
::testing::AssertionResult isConvertersOwnText(const std::string& xml) {
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    if (!bin) {
        return ::testing::AssertionFailure()
               << "line " << bin.error().position << ": " << bin.error().message;
    }
    const auto back = serz::convert(serz::Direction::BinToXml, bin.value());
    if (!back || back.value() != xml) {
        return ::testing::AssertionFailure() << "written back differently: " << (back ? back.value() : "");
    }
    return ::testing::AssertionSuccess();
}

bool hasNonAscii(const std::string& text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::size_t listLength(const std::string& list) {
    return list.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(list, ';')) + 1;
}

class GeneratedContent : public ::testing::Test {
protected:
    Random random_{11};
    Stock stock_ = makeStock(random_, 150);
    DiskFiles files_;
    CountingEventPump events_;
    BlueprintReader reader_{files_, events_, nullptr};
};

// Each vehicle blueprint reads with its names and couplings, and together they hold every planned
// case: every engine type and one without, multiple units, tenders, coaches, wagons with no, one and
// two bulk cargoes; missing and empty coupling ids; names shared across providers and names in other
// scripts; blueprints at every level below the product up to eight; tens of kilobytes each. The other
// blueprints are skipped.
TEST_F(GeneratedContent, BlueprintsReadAsTheirDescriptionsSayAndHoldEveryPlannedCase) {
    std::set<std::string> classes;
    std::set<std::pair<std::string, std::size_t>> kindsAndLoads;
    std::map<std::string, std::set<std::string>> providersByName;
    std::set<std::size_t> levels;
    std::size_t bytes = 0;
    bool multipleUnit = false, missingRear = false, emptyFront = false, nonAscii = false;
    for (const Vehicle& v : stock_.vehicles) {
        SCOPED_TRACE(v.folder + "/" + v.fileName);
        const std::string xml = vehicleBlueprintXml(v, random_);
        ASSERT_TRUE(isConvertersOwnText(xml));
        bytes += xml.size();
        BlueprintFields r;
        ASSERT_EQ(reader_.readText(xml, r), kBlueprintRead);
        const bool coupled = v.front.present && v.rear.present; // else the reader stops at the couplings
        EXPECT_EQ(std::make_tuple(r.commonName, r.englishName, r.frontCouplingId, r.rearCouplingId),
                  std::make_tuple(v.name, v.displayName, v.front.present ? v.front.ref.id : "",
                                  coupled ? v.rear.ref.id : ""));
        providersByName[r.englishName].insert(v.set.provider);
        nonAscii = nonAscii || hasNonAscii(r.englishName);
        levels.insert(v.folder.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(v.folder, '/')) + 1);
        missingRear = missingRear || (v.front.present && !v.rear.present);
        emptyFront = emptyFront || (v.front.present && v.front.ref.id.empty());
        if (coupled) {
            EXPECT_FALSE(r.mass.empty() || r.dragCoefficient.empty() || r.sandFriction.empty());
            classes.insert(r.unitClass);
            kindsAndLoads.emplace(r.blueprintKind, listLength(r.capacity));
            multipleUnit = multipleUnit || r.multipleUnit == "1";
        }
    }
    EXPECT_EQ(classes, (std::set<std::string>{"engine", "diesel", "electric", "steam", "tender", "passenger",
                                              "freight"}));
    for (std::size_t loads : {0, 1, 2}) {
        EXPECT_TRUE(kindsAndLoads.contains({"wagon", loads})) << loads;
    }
    EXPECT_TRUE(multipleUnit && missingRear && emptyFront && nonAscii);
    EXPECT_TRUE(
        std::ranges::any_of(providersByName, [](const auto& entry) { return entry.second.size() > 1; }));
    EXPECT_EQ(levels, (std::set<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_GT(bytes / stock_.vehicles.size(), 15000u);

    std::set<OtherKind> otherKinds;
    for (const OtherBlueprint& b : stock_.others) {
        const std::string xml = otherBlueprintXml(b, random_);
        EXPECT_TRUE(isConvertersOwnText(xml)) << b.fileName;
        BlueprintFields r;
        EXPECT_EQ(reader_.readText(xml, r), kNotAVehicleBlueprint) << b.fileName;
        otherKinds.insert(b.kind);
    }
    EXPECT_TRUE(otherKinds.contains(OtherKind::Coupling) && otherKinds.contains(OtherKind::Bogie) &&
                otherKinds.contains(OtherKind::Scenery));
}

} // namespace
} // namespace dovrel::sample
