// SPDX-License-Identifier: GPL-3.0-or-later
// The consist line's commands: every button, press and key that changes the line runs its consist
// editor command as one step of the history and then shows what changed; Undo and Redo step through
// that history; the totals caption and the coupler check (red gap marks on the strip, Edit > "Next
// Coupler Mismatch") follow the units.
#include "app/ConsistLineCommands.h"

#include "app/InputFilters.h"
#include "browser/ConsistTotals.h"
#include "consist/ConsistEditor.h"
#include "consist/CouplerCheck.h"
#include "consist/SelectionSummary.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>

namespace dovrel {

namespace {

std::string withStepName(const char* command, const EditStep* step) {
    return step != nullptr ? std::string(command) + " " + step->name : std::string(command);
}

} // namespace

ConsistLineCommands::ConsistLineCommands(QWidget& window, const Form1Controls& controls,
                                         ConsistEditor& editor, const BusyState& busy,
                                         KeyStateFilter& keyState, const std::string& unitWeight,
                                         ListChoiceSource listChoice)
    : window_(window), c_(controls), editor_(editor), busy_(busy), keyState_(keyState),
      unitWeight_(unitWeight), listChoice_(std::move(listChoice)) {
    wireButtons();
    wireLineMoves();
    c_.strip->setKeyHandler([this](StripKey key) { stripKeyPressed(key); });
}

void ConsistLineCommands::wireButtons() {
    // Every command of the consist editor: run it, then show what it changed.
    const auto editorCommand = [this](auto&& command) { return [this, command] { runEditorStep(command); }; };
    const auto locoChoice = [this] { return listChoice_(BrowserSide::Loco); };
    const auto wagonChoice = [this] { return listChoice_(BrowserSide::Wagon); };
    connect(c_.mnuNewConsist, &QAction::triggered, this, editorCommand([this] { editor_.newConsist(); }));
    connect(c_.butNewConsist, &QPushButton::clicked, this, editorCommand([this] { editor_.newConsist(); }));
    connect(c_.butAddLocoLeft, &QPushButton::clicked, this, editorCommand([this, locoChoice] {
                editor_.units().addUnit(Side::Left, UnitList::Locos, locoChoice());
            }));
    connect(c_.butAddLocoRight, &QPushButton::clicked, this, editorCommand([this, locoChoice] {
                editor_.units().addUnit(Side::Right, UnitList::Locos, locoChoice());
            }));
    connect(c_.butAddWagonLeft, &QPushButton::clicked, this, editorCommand([this, wagonChoice] {
                editor_.units().addUnit(Side::Left, UnitList::Wagons, wagonChoice());
            }));
    connect(c_.butAddWagonRight, &QPushButton::clicked, this, editorCommand([this, wagonChoice] {
                editor_.units().addUnit(Side::Right, UnitList::Wagons, wagonChoice());
            }));
    connect(c_.butReplaceLoco, &QPushButton::clicked, this,
            editorCommand([this, locoChoice] { editor_.units().tradeUnit(UnitList::Locos, locoChoice()); }));
    connect(c_.butReplaceWagon, &QPushButton::clicked, this, editorCommand([this, wagonChoice] {
                editor_.units().tradeUnit(UnitList::Wagons, wagonChoice());
            }));
    connect(c_.butDeleteUnitLeft, &QPushButton::clicked, this,
            editorCommand([this] { editor_.units().deleteUnit(Side::Left); }));
    connect(c_.butDeleteUnitRight, &QPushButton::clicked, this,
            editorCommand([this] { editor_.units().deleteUnit(Side::Right); }));
    connect(c_.butShiftUnitLeft, &QPushButton::clicked, this,
            editorCommand([this] { editor_.arrangement().shiftUnit(Side::Left); }));
    connect(c_.butShiftUnitRight, &QPushButton::clicked, this,
            editorCommand([this] { editor_.arrangement().shiftUnit(Side::Right); }));
    connect(c_.butReverseUnit, &QPushButton::clicked, this,
            editorCommand([this] { editor_.arrangement().reverseUnit(); }));
    connect(c_.butReverseAll, &QPushButton::clicked, this,
            editorCommand([this] { editor_.arrangement().reverseAll(); }));
    connect(c_.butMirrorConsist, &QPushButton::clicked, this,
            editorCommand([this] { editor_.arrangement().mirrorConsist(); }));
}

void ConsistLineCommands::wireLineMoves() {
    connect(c_.butHead, &QPushButton::clicked, this,
            [this] { runEditorStep([this] { editor_.navigation().toHead(); }); });
    connect(c_.butTail, &QPushButton::clicked, this,
            [this] { runEditorStep([this] { editor_.navigation().toTail(); }); });
    connect(c_.butToSelected, &QPushButton::clicked, this,
            [this] { runEditorStep([this] { editor_.navigation().toSelected(); }); });
    connect(c_.HScroll2, &QScrollBar::valueChanged, this,
            [this](int value) { runEditorStep([this, value] { editor_.scrollBarMoved(value); }); });

    c_.strip->setPressHandler([this](Qt::MouseButton button, float x, float y) {
        const int code = button == Qt::LeftButton     ? 1
                         : button == Qt::RightButton  ? 2
                         : button == Qt::MiddleButton ? 4
                                                      : 0;
        stripPressed(code, x, y);
    });
}

void ConsistLineCommands::wireHistoryAndCouplerCheck() {
    connect(c_.mnuUndo, &QAction::triggered, this, [this] { stepThroughHistory(&ConsistEditor::undo); });
    connect(c_.mnuRedo, &QAction::triggered, this, [this] { stepThroughHistory(&ConsistEditor::redo); });
    connect(c_.mnuNextCouplerMismatch, &QAction::triggered, this, [this] { selectNextCouplerMismatch(); });
    // The totals follow the weight unit; the unit's own handler has run by then.
    for (QAction* weight : {c_.mnuImperial, c_.mnuImperialTons2240, c_.mnuImperialTons2000, c_.mnuMetric}) {
        connect(weight, &QAction::triggered, this, [this] { showAdditions(); });
    }
    QList<QKeySequence> keys;
    for (const QAction* action : {c_.mnuUndo, c_.mnuRedo, c_.mnuNextCouplerMismatch}) {
        keys.append(action->shortcuts());
    }
    new ShortcutKeyState(&window_, keyState_, keys);
}

void ConsistLineCommands::stripPressed(int buttonCode, float x, float y) {
    const ConsistLabels& labels = editor_.display().labels();
    const std::optional<BodyHit> hit = labels.unitBodyAt(x, y);
    if (!hit) {
        // Between the labels lies the window's own surface.
        if (!labels.topmostAt(x, y) && buttonCode == 1) {
            backgroundClick();
        }
        return;
    }
    if (buttonCode == 0) {
        return;
    }
    runEditorStep([&] {
        editor_.navigation().pressUnitBody(hit->unitIndex, buttonCode, hit->x, hit->y,
                                           keyState_.heldKeyCode());
    });
}

void ConsistLineCommands::backgroundClick() {
    editor_.navigation().backgroundClicked();
    showConsistDisplay();
}

void ConsistLineCommands::runEditorStep(const std::function<void()>& command) {
    editor_.display().panelTexts().consistName = typedText(c_.Text1->text());
    editor_.beginStep();
    command();
    editor_.endStep();
    showConsistDisplay();
}

void ConsistLineCommands::showConsistDisplay() {
    const ConsistPanelTexts& panel = editor_.display().panelTexts();
    setCaption(c_.Label10, panel.unitCountBox);
    setCaption(c_.Label25, panel.frontCouplingBox);
    setCaption(c_.Label6, panel.rearCouplingBox);
    if (typedText(c_.Text1->text()) != panel.consistName) {
        c_.Text1->setText(displayText(panel.consistName));
    }
    {
        const QSignalBlocker quiet(c_.HScroll2);
        c_.HScroll2->setValue(editor_.display().scrollBarValue());
    }
    showAdditions();
    announceSelection();
    c_.strip->update();
}

void ConsistLineCommands::showChosenCouplers(const SelectedUnitCouplers& couplers) {
    // The boxes are shared with the consist editor, which keeps them with the line's display: what
    // they show then goes into the steps of Undo and Redo, and no later command shows older ones.
    ConsistPanelTexts& boxes = editor_.display().panelTexts();
    boxes.frontCouplingBox = couplers.front;
    boxes.rearCouplingBox = couplers.rear;
    setCaption(c_.Label25, couplers.front);
    setCaption(c_.Label6, couplers.rear);
}

void ConsistLineCommands::announceSelection() {
    const ConsistLine& line = editor_.line();
    c_.strip->setSelectionSummary(
        QString::fromStdString(selectionSummary(line.units(), line.selectedIndex())));
}

void ConsistLineCommands::showAdditions() {
    const EditHistory& history = editor_.history();
    setCaption(c_.mnuUndo, withStepName("Undo", history.undoStep()));
    setCaption(c_.mnuRedo, withStepName("Redo", history.redoStep()));
    c_.mnuUndo->setEnabled(history.undoStep() != nullptr);
    c_.mnuRedo->setEnabled(history.redoStep() != nullptr);

    // Totals and gaps change only with the units or the weight unit.
    const ConsistLine& line = editor_.line();
    if (line.revision() == additions_.lineRevision && unitWeight_ == additions_.unitWeight) {
        return;
    }
    additions_ = {line.revision(), unitWeight_};
    std::vector<std::int32_t> gaps = couplerMismatchGaps(line.units());
    const ConsistTotals totals = consistTotals(line.units(), unitWeight_);
    setCaption(c_.lblConsistTotals,
               totalsCaption(line.units().size(), totals, gaps.size(), unitWeight_, QLocale()));
    c_.lblConsistTotals->setToolTip(displayText(totalsToolTip(totals)));
    c_.mnuNextCouplerMismatch->setEnabled(!gaps.empty());
    c_.strip->setGapMarks(std::move(gaps));
}

void ConsistLineCommands::selectNextCouplerMismatch() {
    if (busy_.busy()) {
        return;
    }
    editor_.navigation().nextCouplerMismatch();
    showConsistDisplay();
}

void ConsistLineCommands::stepThroughHistory(bool (ConsistEditor::*step)()) {
    if (busy_.busy()) {
        return;
    }
    // The name typed so far belongs to the step taken back or made again.
    editor_.display().panelTexts().consistName = typedText(c_.Text1->text());
    (void)(editor_.*step)();
    showConsistDisplay();
}

void ConsistLineCommands::stripKeyPressed(StripKey key) {
    const std::pair<StripKey, SelectionStep> steps[] = {{StripKey::Previous, SelectionStep::Previous},
                                                        {StripKey::Next, SelectionStep::Next},
                                                        {StripKey::Head, SelectionStep::Head},
                                                        {StripKey::Tail, SelectionStep::Tail}};
    for (const auto& [stripKey, step] : steps) {
        if (stripKey == key) {
            selectUnitByKey(step);
            return;
        }
    }
    // The rest press their buttons; a button's click() does nothing while the button is disabled.
    const std::pair<StripKey, QPushButton*> buttons[] = {{StripKey::ShiftLeft, c_.butShiftUnitLeft},
                                                         {StripKey::ShiftRight, c_.butShiftUnitRight},
                                                         {StripKey::Reverse, c_.butReverseUnit},
                                                         {StripKey::Delete, c_.butDeleteUnitRight}};
    for (const auto& [stripKey, button] : buttons) {
        if (stripKey == key) {
            button->click();
        }
    }
}

void ConsistLineCommands::selectUnitByKey(SelectionStep step) {
    const ConsistLine& line = editor_.line();
    const std::optional<std::int32_t> unit = unitAfterStep(step, line.selectedIndex(), line.unitCount());
    if (!unit) {
        return;
    }
    runEditorStep([&] { editor_.navigation().selectByKey(*unit, kForm1ClientWidth); });
}

} // namespace dovrel
