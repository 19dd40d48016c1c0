// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/EditHistory.h"

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
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    done_ = steps_.size();
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
    EditStep& step = steps_[--done_];
    if (step.renames) {
        step.after.panel.consistName = std::string(nameShown);
    }
}

void EditHistory::stepRedone(std::string_view nameShown) {
    if (done_ == steps_.size()) {
        return;
    }
    EditStep& step = steps_[done_++];
    if (step.renames) {
        step.before.panel.consistName = std::string(nameShown);
    }
}

void EditHistory::clear() {
    steps_.clear();
    done_ = 0;
}

} // namespace dovrel
