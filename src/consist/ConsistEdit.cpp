// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistEdit.h"

#include <utility>

namespace dovrel {

namespace {

SelectionChange reversed(const SelectionChange& selection) {
    return {selection.after, selection.before};
}

struct Inverter {
    ConsistEdit operator()(const InsertUnit& edit) const {
        return RemoveUnit{edit.index, edit.unit, reversed(edit.selection)};
    }
    ConsistEdit operator()(const RemoveUnit& edit) const {
        return InsertUnit{edit.index, edit.unit, reversed(edit.selection)};
    }
    ConsistEdit operator()(const ReplaceUnit& edit) const {
        return ReplaceUnit{edit.index, edit.after, edit.before, reversed(edit.selection)};
    }
    ConsistEdit operator()(const SwapUnits& edit) const {
        return SwapUnits{edit.first, edit.second, reversed(edit.selection)};
    }
    ConsistEdit operator()(const ToggleHeading& edit) const {
        return ToggleHeading{edit.index, reversed(edit.selection)};
    }
    ConsistEdit operator()(const ToggleAllHeadings& edit) const {
        return ToggleAllHeadings{reversed(edit.selection)};
    }
    ConsistEdit operator()(const MirrorLine& edit) const { return MirrorLine{reversed(edit.selection)}; }
    ConsistEdit operator()(const ReplaceLine& edit) const {
        return ReplaceLine{edit.after, edit.before, reversed(edit.selection)};
    }
};

struct KindNamer {
    const char* operator()(const InsertUnit&) const { return "insert unit"; }
    const char* operator()(const RemoveUnit&) const { return "remove unit"; }
    const char* operator()(const ReplaceUnit&) const { return "replace unit"; }
    const char* operator()(const SwapUnits&) const { return "swap units"; }
    const char* operator()(const ToggleHeading&) const { return "toggle heading"; }
    const char* operator()(const ToggleAllHeadings&) const { return "toggle all headings"; }
    const char* operator()(const MirrorLine&) const { return "mirror line"; }
    const char* operator()(const ReplaceLine&) const { return "replace line"; }
};

} // namespace

ConsistEdit invert(const ConsistEdit& edit) {
    return std::visit(Inverter{}, edit);
}

const SelectionChange& selectionOf(const ConsistEdit& edit) {
    return std::visit([](const auto& kind) -> const SelectionChange& { return kind.selection; }, edit);
}

const char* editKindName(const ConsistEdit& edit) {
    return std::visit(KindNamer{}, edit);
}

} // namespace dovrel
