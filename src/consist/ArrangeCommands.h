// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistParts.h"
#include "consist/UnitCommands.h"

#include <cstdint>

namespace dovrel {

// The commands that rearrange the line without changing which units it holds: shift the selected
// unit one place, turn it around, turn every unit around, turn the consist end for end.
class ArrangeCommands {
public:
    explicit ArrangeCommands(ConsistParts parts) : parts_(parts) {}

    // butShiftUnitLeft, butShiftUnitRight. A move whose destination lies beyond the recentring edge
    // recentres the view on the moved unit; any other keeps the view still.
    void shiftUnit(Side side);
    // butReverseUnit.
    void reverseUnit();
    // butReverseAll.
    void reverseAll();
    // butMirrorConsist.
    void mirrorConsist();
    // A right click on a unit's body: that unit turns around, whichever unit is selected.
    void reverseClickedUnit(std::int32_t unit);

private:
    void refreshInPlace();

    ConsistParts parts_;
};

} // namespace dovrel
