// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistDisplay.h"
#include "consist/ConsistEdit.h"
#include "consist/PointerPosition.h"

#include <gtest/gtest.h>
#include <ostream>
#include <type_traits>

// How a failed comparison shows the consist line's drawn state: its fields by name, instead of the
// object's raw bytes. Every test of the consist line sees these through ConsistTestHost.h.
namespace dovrel {

inline void PrintTo(const PixelPoint& point, std::ostream* out) {
    *out << '(' << point.x << ", " << point.y << ')';
}

inline void PrintTo(const ConsistPanelTexts& texts, std::ostream* out) {
    *out << "{unit count " << ::testing::PrintToString(texts.unitCountBox) << ", front coupling "
         << ::testing::PrintToString(texts.frontCouplingBox) << ", rear coupling "
         << ::testing::PrintToString(texts.rearCouplingBox) << ", name "
         << ::testing::PrintToString(texts.consistName) << '}';
}

inline void PrintTo(const DisplayState& state, std::ostream* out) {
    *out << "{selected " << state.selectedIndex << ", anchor " << state.anchorIndex << " at "
         << state.anchorLeft << ", first unit at " << state.firstUnitLeft << ", scroll reference "
         << state.scrollReference << ", scroll bar " << state.scrollBarValue << ", frame at "
         << state.frameLeft << ", opaque captions " << ::testing::PrintToString(state.opaqueCaptions)
         << ", new marks " << ::testing::PrintToString(state.newMarks) << ", panel "
         << ::testing::PrintToString(state.panel) << '}';
}

inline void PrintTo(const ConsistEdit& edit, std::ostream* out) {
    *out << '{' << editKindName(edit);
    std::visit(
        [out](const auto& e) {
            using Edit = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<Edit, InsertUnit> || std::is_same_v<Edit, RemoveUnit>) {
                *out << " at " << e.index << ' ' << ::testing::PrintToString(e.unit);
            } else if constexpr (std::is_same_v<Edit, ReplaceUnit>) {
                *out << " at " << e.index << ' ' << ::testing::PrintToString(e.before) << " by "
                     << ::testing::PrintToString(e.after);
            } else if constexpr (std::is_same_v<Edit, SwapUnits>) {
                *out << ' ' << e.first << " and " << e.second;
            } else if constexpr (std::is_same_v<Edit, ToggleHeading>) {
                *out << " at " << e.index;
            } else if constexpr (std::is_same_v<Edit, ReplaceLine>) {
                *out << ' ' << e.before.size() << " units by " << e.after.size();
            }
        },
        edit);
    const SelectionChange& selection = selectionOf(edit);
    *out << ", selection " << selection.before << " to " << selection.after << '}';
}

} // namespace dovrel
