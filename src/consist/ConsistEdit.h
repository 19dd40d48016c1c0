// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/SharedUnits.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The changes that editing commands make to the consist line, as values. Every change carries what
// is needed to undo it, and the selection before and after it, so that invert(edit) applied after
// edit restores the line's units and selection exactly.
namespace dovrel {

struct SelectionChange {
    std::int32_t before = -1;
    std::int32_t after = -1;
};

// A unit put in at index; the units from index on move one place towards the tail.
struct InsertUnit {
    std::int32_t index = 0;
    std::string unit;
    SelectionChange selection;
};

// The unit at index taken out; the units after it move one place towards the head. `unit` is the
// text expected at index.
struct RemoveUnit {
    std::int32_t index = 0;
    std::string unit;
    SelectionChange selection;
};

// The unit at index exchanged for another (a trade).
struct ReplaceUnit {
    std::int32_t index = 0;
    std::string before;
    std::string after;
    SelectionChange selection;
};

// Two units exchange places (a shift).
struct SwapUnits {
    std::int32_t first = 0;
    std::int32_t second = 0;
    SelectionChange selection;
};

// One unit turned around.
struct ToggleHeading {
    std::int32_t index = 0;
    SelectionChange selection;
};

// Every unit turned around.
struct ToggleAllHeadings {
    SelectionChange selection;
};

// The line turned end for end: the order reversed and every unit turned around.
struct MirrorLine {
    SelectionChange selection;
};

// The whole line exchanged for another (clearing, loading a stored consist). The two lines are
// shared, not copied, by the inverse edit and by the history.
struct ReplaceLine {
    SharedUnits before;
    SharedUnits after;
    SelectionChange selection;
};

using ConsistEdit = std::variant<InsertUnit, RemoveUnit, ReplaceUnit, SwapUnits, ToggleHeading,
                                 ToggleAllHeadings, MirrorLine, ReplaceLine>;

// The edit that undoes the given one.
ConsistEdit invert(const ConsistEdit& edit);

const SelectionChange& selectionOf(const ConsistEdit& edit);

// A short name of the edit's kind ("insert unit", "mirror line", ...), for logs and test output.
const char* editKindName(const ConsistEdit& edit);

} // namespace dovrel
