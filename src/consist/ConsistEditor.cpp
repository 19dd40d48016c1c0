// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistEditor.h"

#include "consist/ConsistHost.h"
#include "consist/ConsistMessages.h"
#include "platform/MessageBoxes.h"

namespace dovrel {

ConsistEditor::ConsistEditor(MessageBoxes& messages, ConsistHost& host, std::size_t historyBytes)
    : display_(line_, host), history_(historyBytes), parts_{line_, display_, messages, host, history_},
      units_(parts_), arrange_(parts_), navigation_(parts_, arrange_) {
    line_.addObserver(history_);
}

ConsistEditor::~ConsistEditor() {
    line_.removeObserver(history_);
}

ConsistStateValues ConsistEditor::stateValues() const {
    const auto units = line_.units();
    return {line_.unitCount(),           line_.selectedIndex(),    display_.anchorIndex(),
            display_.anchorLeft(),       display_.firstUnitLeft(), display_.scrollReference(),
            {units.begin(), units.end()}};
}

bool ConsistEditor::confirmAbandonConsist() {
    if (line_.unitCount() <= 0) {
        return true;
    }
    return parts_.messages.ask(std::string(consistmessages::kAbandonQuestion)) == MessageAnswer::Yes;
}

void ConsistEditor::clearConsistLine() {
    display_.removeUnitLabels();
    ConsistPanelTexts& panel = display_.panelTexts();
    panel.consistName.clear();
    panel.frontCouplingBox.clear();
    panel.rearCouplingBox.clear();
    display_.hideTemplates();
    const std::int32_t selectedBefore = line_.selectedIndex();
    line_.setSelectedIndex(-1);
    panel.unitCountBox.clear();
    line_.apply(ReplaceLine{line_.sharedUnits(), {}, {selectedBefore, -1}});
    // The value changes first: its change handler still sees the old scroll reference.
    display_.setScrollBarValue(ConsistDisplay::kScrollMiddle);
    display_.setScrollReference(ConsistDisplay::kScrollMiddle);
    display_.setAnchorLeft(ConsistDisplay::kCentredLeft);
    parts_.host.updateCommandAvailability();
}

void ConsistEditor::newConsist() {
    history_.name("New Consist");
    if (!confirmAbandonConsist()) {
        return;
    }
    clearConsistLine();
    parts_.host.updateCommandAvailability();
}

void ConsistEditor::loadConsist(std::string name, std::vector<std::string> units, std::string_view stepName) {
    history_.name(stepName);
    clearConsistLine();
    display_.panelTexts().consistName = std::move(name);
    const bool empty = units.empty();
    if (!empty) {
        line_.apply(ReplaceLine{{}, std::move(units), {-1, -1}});
    }
    display_.setAnchorLeft(ConsistDisplay::kCentredLeft);
    display_.redrawConsistLine(0);
    display_.raiseUnitLabels();
    if (!empty) {
        display_.selectUnit(0);
    }
}

} // namespace dovrel

namespace dovrel {

namespace {

// Applies the edits in order; when one does not fit the line, the ones applied are taken back and
// the line is as it was.
bool applyAll(ConsistLine& line, const std::vector<ConsistEdit>& edits) {
    for (std::size_t i = 0; i < edits.size(); ++i) {
        if (line.apply(edits[i]) != EditStatus::Applied) {
            while (i-- > 0) {
                line.apply(invert(edits[i]));
            }
            return false;
        }
    }
    return true;
}

} // namespace

bool ConsistEditor::undo() {
    const EditStep* step = history_.undoStep();
    if (step == nullptr || history_.running()) {
        return false;
    }
    std::vector<ConsistEdit> inverse;
    inverse.reserve(step->edits.size());
    for (auto edit = step->edits.rbegin(); edit != step->edits.rend(); ++edit) {
        inverse.push_back(invert(*edit));
    }
    if (!applyAll(line_, inverse)) {
        history_.clear(); // the line no longer matches its history
        return false;
    }
    const std::string nameShown = display_.panelTexts().consistName;
    restoreStep(*step, step->before);
    history_.stepUndone(nameShown);
    return true;
}

bool ConsistEditor::redo() {
    const EditStep* step = history_.redoStep();
    if (step == nullptr || history_.running()) {
        return false;
    }
    if (!applyAll(line_, step->edits)) {
        history_.clear();
        return false;
    }
    const std::string nameShown = display_.panelTexts().consistName;
    restoreStep(*step, step->after);
    history_.stepRedone(nameShown);
    return true;
}

void ConsistEditor::restoreStep(const EditStep& step, const DisplayState& state) {
    display_.restore(state);
    if (step.renames) {
        display_.panelTexts().consistName = state.panel.consistName;
    }
}

} // namespace dovrel
