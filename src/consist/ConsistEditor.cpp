#include "consist/ConsistEditor.h"

#include "consist/ConsistHost.h"
#include "consist/ConsistMessages.h"
#include "platform/MessageBoxes.h"

namespace dovrel {

ConsistEditor::ConsistEditor(MessageBoxes& messages, ConsistHost& host)
    : display_(line_, host), parts_{line_, display_, messages, host}, units_(parts_), arrange_(parts_),
      navigation_(parts_, arrange_) {}

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
    const auto units = line_.units();
    line_.apply(ReplaceLine{{units.begin(), units.end()}, {}, {selectedBefore, -1}});
    // The value changes first: its change handler still sees the old scroll reference.
    display_.setScrollBarValue(ConsistDisplay::kScrollMiddle);
    display_.setScrollReference(ConsistDisplay::kScrollMiddle);
    display_.setAnchorLeft(ConsistDisplay::kCentredLeft);
    parts_.host.updateCommandAvailability();
}

void ConsistEditor::newConsist() {
    if (!confirmAbandonConsist()) {
        return;
    }
    clearConsistLine();
    parts_.host.updateCommandAvailability();
}

} // namespace dovrel
