// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistDisplay.h"
#include "consist/PointerPosition.h"

#include <gtest/gtest.h>
#include <ostream>

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

} // namespace dovrel
