// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ArrangeCommands.h"
#include "consist/ConsistDisplay.h"
#include "consist/ConsistLine.h"
#include "consist/ConsistParts.h"
#include "consist/EditHistory.h"
#include "consist/NavigationCommands.h"
#include "consist/UnitCommands.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

class ConsistHost;
class MessageBoxes;

// The line's values as the state dump shows them, under their names.
struct ConsistStateValues {
    std::int32_t unitCount = 0;
    std::int32_t selectedIndex = -1;
    std::int32_t anchorIndex = 0;
    float anchorLeft = 0.0f;
    float firstUnitLeft = 0.0f;
    std::int32_t scrollReference = 0;
    std::vector<std::string> consistUnits; // slots 0 to unitCount - 1
};

// The "Dada Rezavi" editor without widgets: the consist line, its display and the commands on them.
// `Form1` owns one, calls a command for each button, menu item, press and scroll-bar change, and
// after each call paints the strip from display().labels() and copies display().panelTexts() and
// display().scrollBarValue() to its controls. Command availability comes back through
// ConsistHost::updateCommandAvailability at every point where it is due.
class ConsistEditor {
public:
    // The history keeps steps up to historyBytes (EditHistory).
    ConsistEditor(MessageBoxes& messages, ConsistHost& host,
                  std::size_t historyBytes = EditHistory::kDefaultByteLimit);
    ~ConsistEditor();
    ConsistEditor(const ConsistEditor&) = delete;
    ConsistEditor& operator=(const ConsistEditor&) = delete;

    const ConsistLine& line() const { return line_; }
    ConsistLine& line() { return line_; }
    const ConsistDisplay& display() const { return display_; }
    ConsistDisplay& display() { return display_; }

    UnitCommands& units() { return units_; }
    ArrangeCommands& arrangement() { return arrange_; }
    NavigationCommands& navigation() { return navigation_; }

    // The guard before a non-empty line is discarded: true on an empty line without asking, else true
    // only when the user answers Yes.
    bool confirmAbandonConsist();
    // Empties the line and resets the panel.
    void clearConsistLine();
    // mnuNewConsist and butNewConsist.
    void newConsist();
    // A listed consist taken into the line (View), once the user agreed to abandon the line: the line
    // emptied, the name in the name box, the units in the line, shown from its head with the first
    // unit selected. The step is named for Undo by what loaded it.
    void loadConsist(std::string name, std::vector<std::string> units,
                     std::string_view stepName = "View Consist");
    ConsistStateValues stateValues() const;

    // HScroll2's change by the user.
    void scrollBarMoved(std::int32_t value) { display_.scrollBarMoved(value); }

    // Undo and Redo. Every user command runs between beginStep() and endStep(); one that changed the
    // line becomes a step. undo() takes the newest step back: the line, its headings, the selection,
    // the view and the panel's boxes as they were before it; redo() makes it again. The consist name
    // changes only with a step that renamed: Undo gives back the name shown before the step was made
    // (or last made again), Redo the name shown when it was last undone. Both return false when there
    // is nothing to do.
    void beginStep() { history_.begin(display_.capture()); }
    void endStep() { history_.end(display_.capture()); }
    bool undo();
    bool redo();
    EditHistory& history() { return history_; }
    const EditHistory& history() const { return history_; }

private:
    // Draws the line again as the state describes it; the consist name comes along when the step
    // renamed.
    void restoreStep(const EditStep& step, const DisplayState& state);

    ConsistLine line_;
    ConsistDisplay display_;
    EditHistory history_;
    ConsistParts parts_;
    UnitCommands units_;
    ArrangeCommands arrange_;
    NavigationCommands navigation_;
};

} // namespace dovrel
