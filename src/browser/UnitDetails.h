// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/BrowserSide.h"
#include "catalogue/EquipmentRecord.h"

#include <QLocale>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The unit details window's table: 15 columns, one row per unit.
inline constexpr std::size_t kDetailsColumns = 15;
using DetailsRow = std::array<std::string, kDetailsColumns>;

// The columns of the window's list view: header and design width in twips.
struct DetailsColumn {
    std::string_view header;
    float width;
};
inline constexpr std::array<DetailsColumn, kDetailsColumns> kDetailsColumnLayout = {{
    {"Unit Type", 1200},
    {"Common Name", 2400},
    {"English Name", 2400},
    {"Empty Mass", 1200},
    {"Cargo Capacity", 2600},
    {"Loaded Gross", 1200},
    {"Front Coupler", 1400},
    {"Rear Coupler", 1400},
    {"Ease of Derail", 1200},
    {"Drag Coef", 1000},
    {"Rolling Friction", 1300},
    {"Dry Friction", 1100},
    {"Wet Friction", 1100},
    {"Snow Friction", 1100},
    {"Sand Friction", 1100},
}};
// The cell of the "English Name" column (0-based), which a double-click reads.
inline constexpr std::size_t kEnglishNameColumn = 2;
inline constexpr std::size_t kCargoCapacityColumn = 4;

// Width of the "Cargo Capacity" column, set on every fill: 2600 twips for locos, 1400 for wagons.
float cargoColumnWidth(BrowserSide side);

// "Unit Type": the unit class; loco rows add "/mu" when multipleUnit is "1".
std::string unitTypeText(BrowserSide side, const EquipmentRecord& record);

// The cargo list: for each capacity in order, the capacity with 1 decimal in the locale's format
// (unconverted), "-", the freight type at the same place, and two blanks; the outer blanks removed.
// A capacity that is not a number, or that has no freight type, is left out. Empty for no capacity.
std::string cargoListText(std::string_view capacity, std::string_view bulkFreightType, const QLocale& locale);

// One record's row with the loco or wagon rules for "Unit Type", "Cargo Capacity" and "Loaded Gross".
// Masses follow `unitWeight`; a cell whose number cannot be read or converted stays empty.
DetailsRow detailsRowOf(BrowserSide side, const EquipmentRecord& record, std::string_view unitWeight,
                        const QLocale& locale);

// The rows of a Details click: for each list item in list order, one row for every catalogue record in
// use whose englishName equals it exactly, whichever list the record belongs to; a name that stands
// twice in the list gives its rows twice. All rows follow the rules of the clicked side. The caller
// does nothing at all for an empty list.
std::vector<DetailsRow> detailsRows(BrowserSide side, std::span<const std::string> listItems,
                                    std::span<const std::string> catalogue, std::string_view unitWeight,
                                    const QLocale& locale);

// The details window's layout for its inner size (twips): "Double-click to open unit folder" kept
// 240 twips from the right edge, the table filling the rest below it.
struct DetailsWindowLayout {
    float label1Left = 0;
    float listViewWidth = 0;
    float listViewHeight = 0;
};
DetailsWindowLayout detailsWindowLayout(float innerWidth, float innerHeight, float label1Width,
                                        float label1Height);

} // namespace dovrel
