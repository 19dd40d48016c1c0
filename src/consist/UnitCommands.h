// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistParts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dovrel {

enum class Side { Left, Right };
// The browser list a unit comes from: List1 (locomotives and tenders) or List2 (wagons).
enum class UnitList { Locos, Wagons };

// The state of a source list when a command reads it.
struct ListChoice {
    std::int32_t entryCount = 0;
    std::optional<std::string> chosen; // the chosen entry's text (its bytes), if one is chosen
    // The chosen entry's own record, when the list tells which one.
    std::optional<std::string> record = std::nullopt;
};

// The commands that change which units the line holds: add a unit beside the selected one, trade the
// selected unit for another, delete the selected unit.
class UnitCommands {
public:
    static constexpr float kLeftRecentreEdge = 1275.0f;
    static constexpr float kRightRecentreEdge = 12540.0f;

    explicit UnitCommands(ConsistParts parts) : parts_(parts) {}

    // butAddLocoLeft, butAddLocoRight, butAddWagonLeft, butAddWagonRight.
    void addUnit(Side side, UnitList list, const ListChoice& choice);
    // butReplaceLoco, butReplaceWagon.
    void tradeUnit(UnitList list, const ListChoice& choice);
    // butDeleteUnitLeft ("<Delete Unit Move", Side::Left), butDeleteUnitRight ("Delete Unit Move>").
    void deleteUnit(Side side);

private:
    // The unit for the chosen name, or nothing after telling the user.
    std::optional<std::string> unitFor(const ListChoice& choice);
    // The list checks shared by add and trade; false when the command stops here.
    bool listReady(UnitList list, const ListChoice& choice);
    void startLine(const std::string& unit);
    void deleteOnlyUnit();

    ConsistParts parts_;
};

} // namespace dovrel
