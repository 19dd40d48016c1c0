// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says of the main window's controls. Buttons, check boxes, menus and captions
// speak their own text; the controls below have none (text boxes, lists, drop-downs, the scroll bar,
// the consist line) or a text that does not say what they do ("X", "Details", "<Add Loco Left"). A
// drop-down says its name, not only its chosen item, and its caption above it is also its buddy.
#include "app/Form1.h"

#include "platform/qt/TextConversion.h"
#include "widgets/ConsistStrip.h"
#include "widgets/PurposeComboAccessible.h"

#include <QComboBox>
#include <QLabel>

namespace dovrel {

namespace {
struct SpokenName {
    const char* address;
    const char* name;
};

constexpr SpokenName kSpokenNames[] = {
    {"Text1", "Consist name"},
    {"txtFindUnit", "Find unit"},
    {"List1", "Locomotives and tenders"},
    {"List2", "Wagons"},
    {"List3", "Consists"},
    {"ListView1", "Units of the chosen consist"},
    {"Combo5", "Provider filter for locomotives"},
    {"Combo1", "Product filter for locomotives"},
    {"Combo3", "Class filter for locomotives"},
    {"Combo6", "Provider filter for wagons"},
    {"Combo2", "Product filter for wagons"},
    {"Combo4", "Class filter for wagons"},
    {"HScroll2", "Move the view along the consist"},
    {"butDisplayLoco", "Details of the chosen locomotive"},
    {"butDisplayWagon", "Details of the chosen wagon"},
    {"butView", "View the chosen consist"},
    {"butExitFilter2", "Close the coupler filter"},
    {"butAddLocoLeft", "Add loco left"},
    {"butAddLocoRight", "Add loco right"},
    {"butAddWagonLeft", "Add wagon left"},
    {"butAddWagonRight", "Add wagon right"},
    {"butReplaceLoco", "Trade with loco"},
    {"butReplaceWagon", "Trade with wagon"},
    {"butShiftUnitLeft", "Shift unit left"},
    {"butShiftUnitRight", "Shift unit right"},
    {"butDeleteUnitLeft", "Delete unit, move left"},
    {"butDeleteUnitRight", "Delete unit, move right"},
    {"butToSelected", "View the selected unit"},
    {"butHead", "To head"},
    {"butTail", "To tail"},
    {"butCouplingFilter", "Show the coupler filter"},
};

// The caption above each drop-down of the browsing panels.
constexpr std::pair<const char*, const char*> kComboCaptions[] = {
    {"Label12", "Combo5"}, {"Label13", "Combo1"}, {"Label14", "Combo3"},
    {"Label15", "Combo6"}, {"Label16", "Combo2"}, {"Label17", "Combo4"},
};
} // namespace

void Form1::nameControlsForScreenReaders() {
    PurposeComboAccessible::install();
    for (const SpokenName& spoken : kSpokenNames) {
        if (const NamedControl* control = registry_.find(spoken.address)) {
            control->widget()->setAccessibleName(QString::fromLatin1(spoken.name));
        }
    }
    for (const auto& [caption, combo] : kComboCaptions) {
        const NamedControl* label = registry_.find(caption);
        const NamedControl* box = registry_.find(combo);
        if (label != nullptr && box != nullptr) {
            qobject_cast<QLabel*>(label->widget())->setBuddy(box->widget());
        }
    }
    c_.strip->setAccessibleName(QStringLiteral("Consist line"));
    line_->announceSelection();
}

} // namespace dovrel
