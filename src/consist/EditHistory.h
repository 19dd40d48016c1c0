// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistDisplay.h"
#include "consist/ConsistEdit.h"
#include "consist/ConsistLine.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dovrel {

// One user command that changed the line: its name ("Shift Unit Right"), the edits it applied in
// order, and the drawn line as it stood before and after the command. A step that renames (View, New
// Consist) changed the consist name box; Undo and Redo set the box only for such a step.
struct EditStep {
    std::string name;
    std::vector<ConsistEdit> edits;
    DisplayState before;
    DisplayState after;
    bool renames = false;
};

// The steps that Undo and Redo walk through. A command runs between begin() and end(); the edits the
// line reports in between make one step, kept only when there is at least one. A new step drops every
// step that was undone. The steps cost at most a fixed number of bytes: past it the oldest steps are
// dropped, and Undo ends at the oldest step kept. A whole line shared by several steps counts once.
class EditHistory final : public ConsistLineObserver {
public:
    static constexpr std::size_t kDefaultByteLimit = std::size_t{64} * 1024 * 1024;

    explicit EditHistory(std::size_t byteLimit = kDefaultByteLimit) : byteLimit_(byteLimit) {}

    // A command starts, with the drawn line as it stands now. A begin inside a running command is
    // part of that command.
    void begin(DisplayState before);
    // Names the step of the running command; the last name given counts.
    void name(std::string_view stepName);
    // The running command ended, leaving the drawn line as given.
    void end(DisplayState after);
    bool running() const { return open_.has_value(); }

    void lineEdited(const ConsistLine& line, const ConsistEdit& edit) override;

    // The step Undo would take back, and the one Redo would make again.
    const EditStep* undoStep() const;
    const EditStep* redoStep() const;
    // Undo or Redo has carried out that step; nameShown is the consist name box as it stood just before.
    // For a renaming step that name becomes the name at the step's end (Undo) or start (Redo), so a
    // name typed after it comes back when the step is made again, or taken back again.
    void stepUndone(std::string_view nameShown);
    void stepRedone(std::string_view nameShown);

    void clear();
    std::size_t stepCount() const { return steps_.size(); }
    // The oldest steps let go to keep within the limit since the history was last emptied.
    std::size_t droppedCount() const { return dropped_; }
    // What the kept steps cost, about; not more than the limit once a step is kept.
    std::size_t bytes() const { return ownBytes_ + sharedBytes_; }

private:
    void keep(EditStep step);
    void dropOldest();
    void dropNewest();
    void renamed(std::size_t index);
    // Counts the whole lines a step holds in or out of the history.
    void countLines(const EditStep& step, bool in);

    std::size_t byteLimit_;
    std::deque<EditStep> steps_;
    std::deque<std::size_t> stepBytes_; // each step's cost beyond the whole lines it shares
    std::size_t done_ = 0;              // steps_[0, done_) are in effect
    std::size_t dropped_ = 0;
    std::size_t ownBytes_ = 0;
    std::size_t sharedBytes_ = 0;
    std::unordered_map<const void*, std::size_t> lineUses_; // whole lines held, by identity
    std::optional<EditStep> open_;
    int depth_ = 0;
};

} // namespace dovrel
