// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/BusyScope.h"
#include "app/Form1Controls.h"
#include "browser/BrowserSide.h"
#include "browser/CouplerCaptions.h"
#include "consist/NavigationCommands.h"
#include "consist/UnitCommands.h"
#include "widgets/ConsistStrip.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

namespace dovrel {

class ConsistEditor;
class KeyStateFilter;

// The consist line's controls and the consist editor between them: the buttons of "Dada Rezavi",
// the end buttons, the view's scroll bar, presses and keys on the row of units, Undo and Redo, the
// coupler check, and what the line shows after each command (the strip, the panel's boxes, the
// totals caption).
class ConsistLineCommands final : public QObject {
    Q_OBJECT

public:
    // The chosen item of a browsing panel's list, as the unit commands read it.
    using ListChoiceSource = std::function<ListChoice(BrowserSide)>;
    ConsistLineCommands(QWidget& window, const Form1Controls& controls, ConsistEditor& editor,
                        const BusyState& busy, KeyStateFilter& keyState, const std::string& unitWeight,
                        ListChoiceSource listChoice);

    // Undo, Redo and Next Coupler Mismatch; their keys count as held. The weight items must have
    // their own handlers connected first: the totals follow the weight unit chosen.
    void wireHistoryAndCouplerCheck();

    // A mouse press on the row of units at window client twips: 1 left, 2 right, 4 middle.
    void stripPressed(int buttonCode, float x, float y);
    void backgroundClick();
    // Whatever the consist editor changed, shown in the strip and the panel's boxes.
    void showConsistDisplay();
    // A user command on the consist line as one step of the history: the name typed so far taken
    // into the panel, the command run between beginStep() and endStep(), and what it changed shown.
    void runEditorStep(const std::function<void()>& command);
    // A unit chosen in a browsing panel: its couplers shown in the panel's boxes.
    void showChosenCouplers(const SelectedUnitCouplers& couplers);
    // What a screen reader says the consist line has selected.
    void announceSelection();

private:
    void wireButtons();
    void wireLineMoves();
    // The totals caption, the gap marks and the Undo and Redo captions.
    void showAdditions();
    // Undo or Redo of one step of the consist line.
    void stepThroughHistory(bool (ConsistEditor::*step)());
    void selectNextCouplerMismatch();
    void stripKeyPressed(StripKey key);
    // Selects a unit as a left click on it would, the view brought onto it when it is out of sight.
    void selectUnitByKey(SelectionStep step);

    QWidget& window_;
    const Form1Controls& c_;
    ConsistEditor& editor_;
    const BusyState& busy_;
    KeyStateFilter& keyState_;
    const std::string& unitWeight_;
    ListChoiceSource listChoice_;
    // What the totals caption and the gap marks were last computed from.
    struct AdditionsSource {
        std::uint64_t lineRevision = ~std::uint64_t{0};
        std::string unitWeight;
    } additions_;
};

} // namespace dovrel
