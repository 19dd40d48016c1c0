// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/EditHistory.h"

#include <type_traits>
#include <utility>

namespace dovrel {

namespace {

// A step that left everything as it was: clearing a line that was empty already, with nothing else
// changed.
bool changesNothing(const EditStep& step, const DisplayState& after) {
    for (const ConsistEdit& edit : step.edits) {
        const auto* whole = std::get_if<ReplaceLine>(&edit);
        if (whole == nullptr || whole->before != whole->after) {
            return false;
        }
    }
    return step.before == after;
}

std::size_t vectorBytes(const std::vector<std::int32_t>& values) {
    return values.capacity() * sizeof(std::int32_t);
}

std::size_t stateBytes(const DisplayState& state) {
    const ConsistPanelTexts& panel = state.panel;
    return vectorBytes(state.opaqueCaptions) + vectorBytes(state.newMarks) +
           textStorageBytes(panel.unitCountBox) + textStorageBytes(panel.frontCouplingBox) +
           textStorageBytes(panel.rearCouplingBox) + textStorageBytes(panel.consistName);
}

// The edit's own texts; whole lines are counted where they are shared.
std::size_t editBytes(const ConsistEdit& edit) {
    return sizeof(ConsistEdit) +
           std::visit(
               [](const auto& kind) -> std::size_t {
                   using Kind = std::decay_t<decltype(kind)>;
                   if constexpr (std::is_same_v<Kind, InsertUnit> || std::is_same_v<Kind, RemoveUnit>) {
                       return textStorageBytes(kind.unit);
                   } else if constexpr (std::is_same_v<Kind, ReplaceUnit>) {
                       return textStorageBytes(kind.before) + textStorageBytes(kind.after);
                   } else {
                       return 0;
                   }
               },
               edit);
}

// What a step costs beyond the whole lines it holds.
std::size_t ownBytes(const EditStep& step) {
    std::size_t total =
        sizeof(EditStep) + textStorageBytes(step.name) + stateBytes(step.before) + stateBytes(step.after);
    for (const ConsistEdit& edit : step.edits) {
        total += editBytes(edit);
    }
    return total + (step.edits.capacity() - step.edits.size()) * sizeof(ConsistEdit);
}

} // namespace

void EditHistory::begin(DisplayState before) {
    if (depth_++ > 0) {
        return;
    }
    open_ = EditStep{{}, {}, std::move(before), {}};
}

void EditHistory::name(std::string_view stepName) {
    if (open_) {
        open_->name = std::string(stepName);
    }
}

void EditHistory::end(DisplayState after) {
    if (depth_ == 0 || --depth_ > 0) {
        return;
    }
    EditStep step = std::move(*open_);
    open_.reset();
    if (step.edits.empty() || changesNothing(step, after)) {
        return;
    }
    step.after = std::move(after);
    step.renames = step.before.panel.consistName != step.after.panel.consistName;
    while (steps_.size() > done_) {
        dropNewest();
    }
    keep(std::move(step));
    while (!steps_.empty() && bytes() > byteLimit_) {
        dropOldest();
    }
}

void EditHistory::keep(EditStep step) {
    step.edits.shrink_to_fit();
    countLines(step, true);
    stepBytes_.push_back(ownBytes(step));
    ownBytes_ += stepBytes_.back();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
}

void EditHistory::dropOldest() {
    countLines(steps_.front(), false);
    ownBytes_ -= stepBytes_.front();
    steps_.pop_front();
    stepBytes_.pop_front();
    done_ = done_ > 0 ? done_ - 1 : 0;
    ++dropped_;
}

void EditHistory::dropNewest() {
    countLines(steps_.back(), false);
    ownBytes_ -= stepBytes_.back();
    steps_.pop_back();
    stepBytes_.pop_back();
}

void EditHistory::countLines(const EditStep& step, bool in) {
    const auto count = [&](const SharedUnits& units) {
        if (units.identity() == nullptr) {
            return;
        }
        std::size_t& uses = lineUses_[units.identity()];
        if (in) {
            sharedBytes_ += uses++ == 0 ? units.bytes() : 0;
        } else if (--uses == 0) {
            sharedBytes_ -= units.bytes();
            lineUses_.erase(units.identity());
        }
    };
    for (const ConsistEdit& edit : step.edits) {
        if (const auto* whole = std::get_if<ReplaceLine>(&edit)) {
            count(whole->before);
            count(whole->after);
        }
    }
}

void EditHistory::lineEdited(const ConsistLine&, const ConsistEdit& edit) {
    if (open_) {
        open_->edits.push_back(edit);
    }
}

const EditStep* EditHistory::undoStep() const {
    return done_ > 0 ? &steps_[done_ - 1] : nullptr;
}

const EditStep* EditHistory::redoStep() const {
    return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

void EditHistory::stepUndone(std::string_view nameShown) {
    if (done_ == 0) {
        return;
    }
    const std::size_t index = --done_;
    EditStep& step = steps_[index];
    if (step.renames) {
        step.after.panel.consistName = std::string(nameShown);
        renamed(index);
    }
}

void EditHistory::stepRedone(std::string_view nameShown) {
    if (done_ == steps_.size()) {
        return;
    }
    const std::size_t index = done_++;
    EditStep& step = steps_[index];
    if (step.renames) {
        step.before.panel.consistName = std::string(nameShown);
        renamed(index);
    }
}

// A name kept for Undo or Redo changed the step's cost; the history may go past its limit by that
// much until the next step is kept.
void EditHistory::renamed(std::size_t index) {
    ownBytes_ -= stepBytes_[index];
    stepBytes_[index] = ownBytes(steps_[index]);
    ownBytes_ += stepBytes_[index];
}

void EditHistory::clear() {
    steps_.clear();
    stepBytes_.clear();
    lineUses_.clear();
    done_ = 0;
    dropped_ = 0;
    ownBytes_ = 0;
    sharedBytes_ = 0;
}

} // namespace dovrel
