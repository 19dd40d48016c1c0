// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/UnitDetails.h"
#include "browser/UnitFolder.h"

#include "browser/BrowserTestRecords.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::Field;
using testing::recordWith;

const std::string kTons1 = " tons\xC2\xB9";

std::string cargo(std::string mass, std::string capacity, std::string freight = "None",
                  std::string unitClass = "freight") {
    return recordWith({{Field::unitClass, std::move(unitClass)},
                       {Field::mass, std::move(mass)},
                       {Field::capacity, std::move(capacity)},
                       {Field::bulkFreightType, std::move(freight)}});
}

// The "Empty Mass", "Cargo Capacity" and "Loaded Gross" cells, in en_US but for the one de_DE row.
TEST(UnitDetails, MassCapacityAndGrossColumns) {
    const BrowserSide loco = BrowserSide::Loco;
    const BrowserSide wagon = BrowserSide::Wagon;
    const std::string tender = cargo("20", "20", "A", "tender");
    using Cells = std::array<std::string, 3>;
    const std::vector<std::tuple<BrowserSide, std::string, const char*, Cells>> cases = {
        {wagon, cargo("20", "30"), "metric", {"20,321 kgs", "30,481 kgs", "50,802 kgs"}},
        {wagon, cargo("20", "10;20", "A;B"), "imperialtons2240", {"20,00" + kTons1, "10,0-A  20,0-B", ""}},
        {loco, tender, "metric", {"20,321 kgs", "20.0-A", ""}}, // loco table: unconverted
        {loco, tender, "pounds", {"", "20.0-A", ""}},           // unknown unit: mass cells empty
        {wagon, tender, "metric", {"20,321 kgs", "20,321 kgs", "40,642 kgs"}},
        {wagon, cargo("20", ""), "imperial", {"44,800 lbs", "", ""}},
        {wagon, cargo("heavy", "30"), "imperial", {"", "67,200 lbs", ""}},
        // Entries that are not numbers or have no freight type are left out; outer blanks removed.
        {wagon, cargo("1", "10;x;30;40", " A ;B;C"), "imperial", {"2,240 lbs", "10.0- A   30.0-C", ""}},
        {loco,
         cargo("1", "12345.67;0.05", "Coal;Water", "tender"),
         "imperial",
         {"2,240 lbs", "12,345.7-Coal  0.1-Water", ""}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [side, record, unitWeight, cells] = cases[i];
        const DetailsRow row = detailsRowOf(side, EquipmentRecord(record), unitWeight,
                                            QLocale(QString::fromLatin1(i == 1 ? "de_DE" : "en_US")));
        EXPECT_EQ((Cells{row[3], row[4], row[5]}), cells) << "case " << i;
    }
}

TEST(UnitDetails, UnitTypeTextCellsAndEveryMatchInListOrder) {
    const std::string mu = recordWith({{Field::unitClass, "electric"}, {Field::multipleUnit, "1"}});
    const std::string muCoach = recordWith({{Field::unitClass, "passenger"}, {Field::multipleUnit, "1"}});
    const QLocale enUs(QStringLiteral("en_US"));
    EXPECT_EQ(detailsRowOf(BrowserSide::Loco, EquipmentRecord(mu), "metric", enUs)[0], "electric/mu");
    EXPECT_EQ(detailsRowOf(BrowserSide::Wagon, EquipmentRecord(muCoach), "metric", enUs)[0], "passenger");
    EXPECT_EQ(detailsRowOf(BrowserSide::Loco, EquipmentRecord(recordWith({})), "metric", enUs)[0], "diesel");

    std::array<std::string, kRecordFieldCount> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = "f" + std::to_string(i);
    }
    const DetailsRow row =
        detailsRowOf(BrowserSide::Loco, EquipmentRecord(EquipmentRecord::join(fields)), "metric", enUs);
    EXPECT_EQ(row, (DetailsRow{"f0", "f9", "f1", "", "", "", "f7", "f8", "f12", "f13", "f14", "f15", "f16",
                               "f17", "f18"}));
    EXPECT_EQ(detailsRowOf(BrowserSide::Wagon, EquipmentRecord("freight|Short"), "metric", enUs),
              (DetailsRow{"freight", "", "Short"}));

    // Every record of each listed name, in list order; the rules are the table's, whatever the class.
    const std::vector<std::string> catalogue = {
        recordWith({{Field::englishName, "Shared"}, {Field::mass, "1"}}),
        recordWith({{Field::englishName, "Other"}, {Field::mass, "3"}}),
        recordWith({{Field::unitClass, "freight"},
                    {Field::englishName, "Shared"},
                    {Field::mass, "2"},
                    {Field::capacity, "30"}}),
        "",
        recordWith({{Field::englishName, "Other"}}),
    };
    const std::vector<std::string> list = {"Other", "Shared", "Missing", "Other"};
    const std::vector<DetailsRow> rows =
        detailsRows(BrowserSide::Loco, list, catalogue, "imperial", QLocale(QStringLiteral("en_US")));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], rows[3]);
    EXPECT_EQ((std::vector<std::string>{rows[0][2], rows[1][3], rows[2][0], rows[2][4]}),
              (std::vector<std::string>{"Other", "2,240 lbs", "freight", "30.0-None"}));
}

std::string unitAt(std::string name, std::string provider, std::string product, std::string blueprintPath) {
    return recordWith({{Field::englishName, std::move(name)},
                       {Field::provider, std::move(provider)},
                       {Field::product, std::move(product)},
                       {Field::blueprintPath, std::move(blueprintPath)}});
}

TEST(UnitFolder, TheFolderThatHoldsTheBlueprint) {
    namespace fs = std::filesystem;
    const testing::TempFolder temp;
    const fs::path assets = temp.path() / "Assets";
    fs::create_directories(assets / "Acme/Pack/RailVehicles/Diesel/Engine");
    fs::create_directories(assets / "zed/coal pack/railvehicles/wagons");
    temp.write("Assets/packed/Stock/Stock.AP", "an archive");
    temp.write("Assets/Loose/Stock/Stock.ap.txt", "not an archive");
    const std::vector<std::string> catalogue = {
        unitAt("Class 66", "Acme", "Pack", "RailVehicles\\Diesel\\Engine\\class66.xml"),
        unitAt("Hopper", "Zed", "Coal Pack", "RailVehicles\\Wagons\\hopper.xml"),
        unitAt("Gone", "Acme", "Pack", "RailVehicles\\Deleted\\Unit\\gone.xml"),
        unitAt("Class 66", "Zed", "Coal Pack", "RailVehicles\\Wagons\\second.xml"),
        unitAt("Packed Van", "Packed", "Stock", "RailVehicles\\Vans\\van.xml"),
        unitAt("Loose Van", "Loose", "Stock", "RailVehicles\\Vans\\van.xml"),
    };
    const std::vector<std::tuple<std::string, std::optional<fs::path>, bool>> cases = {
        {"Class 66", assets / "Acme/Pack/RailVehicles/Diesel/Engine", true}, // the first record
        {"Hopper", assets / "zed/coal pack/railvehicles/wagons", true},      // resolved ignoring case
        {"Gone", assets / "Acme/Pack/RailVehicles/Deleted/Unit", false},     // as spelled, for the message
        {"Packed Van", assets / "packed/Stock", true}, // read from an archive of its product
        {"Loose Van", assets / "Loose/Stock/RailVehicles/Vans", false},
        {"class 66", std::nullopt, false},
    };
    for (const auto& [cell, expected, exists] : cases) {
        const std::optional<fs::path> folder =
            unitFolderToOpen(cell, Catalogue::fromSlots(catalogue), assets);
        EXPECT_EQ(folder, expected) << cell;
        EXPECT_EQ(folder && fs::is_directory(*folder), exists) << cell;
    }
}

} // namespace
} // namespace dovrel
