// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistListing.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text rules behind showing a listed consist's units and loading it into the consist line.
namespace dovrel {

// One row of the unit list view: "Ord#", "Equipment", "Orientation".
struct UnitViewRow {
    std::string ordinal;
    std::string equipment;
    std::string orientation;
    bool operator==(const UnitViewRow&) const = default;
};

// The rows that show a listed consist's units: numbered from "1", the unit's englishName, and
// "forward" for heading "0" or "reversed" for any other heading.
std::vector<UnitViewRow> unitViewRows(const std::vector<std::string>& listedUnits);

// How a row of the consist list is shown: the names read from the game's files with their
// entities read ("Coal &amp; Ore" shows as "Coal & Ore"). The row itself keeps its text.
std::string shownRowText(std::string_view rowText);

// The chosen-consist label for a row: the row as shown, with every tab made a space.
std::string chosenConsistCaption(std::string_view rowText);

// A row's name: the text after its first tab, trimmed of spaces; empty without a tab.
std::string rowName(std::string_view rowText);

// A row's name as text: the text after its first tab, untrimmed, its entities read.
std::string rowNameAsText(std::string_view rowText);

// The name a loaded consist takes into the name box, as text: the row's name with its entities
// read, trimmed of spaces, without "(" and ")".
std::string loadedConsistName(std::string_view rowText);

// A listed consist loaded into the consist line.
struct LoadedConsist {
    std::string name;
    // The listed units still in the catalogue, in their listed order and with their listed text.
    std::vector<std::string> units;
    // The listed consist held more units than a consist line; only the first 5001 are loaded.
    bool overflowed = false;
};

// Loads a listed consist: a unit is kept when some catalogue record has its provider, product and
// blueprint path (ignoring case), and dropped silently otherwise. The catalogue decides only whether a unit
// is still there: a kept unit keeps the fields and heading with which it was listed.
LoadedConsist loadListedConsist(std::string_view rowText, const std::vector<std::string>& listedUnits,
                                const std::vector<std::string>& catalogue);

// The row to choose after a save: the first whose name, trimmed and its entities read, equals the
// saved name (text, as typed) exactly.
std::optional<std::size_t> rowNamed(const std::vector<ConsistRow>& rows, std::string_view name);

} // namespace dovrel
