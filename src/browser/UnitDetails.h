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

inline constexpr std::array<std::string_view, kDetailsColumns> kDetailsColumnHeaders = {
    "Unit Type",        "Common Name",   "English Name", "Empty Mass",     "Cargo Capacity",
    "Loaded Gross",     "Front Coupler", "Rear Coupler", "Ease of Derail", "Drag Coef",
    "Rolling Friction", "Dry Friction",  "Wet Friction", "Snow Friction",  "Sand Friction",
};
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
