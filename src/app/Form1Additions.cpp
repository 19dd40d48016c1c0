// SPDX-License-Identifier: GPL-3.0-or-later
// Additions to the main window beyond its original commands: Undo and Redo over the consist line,
// the totals caption beside the Units box, and the coupler check (red gap marks on the strip, Edit >
// "Next Coupler Mismatch").
#include "app/Form1.h"

#include "browser/ConsistTotals.h"
#include "catalogue/ScanProgressText.h"
#include "consist/CouplerCheck.h"
#include "widgets/ConsistStrip.h"

#include "app/InputFilters.h"
#include "consist/ConsistEditor.h"
#include "platform/qt/KeyCodes.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"
#include "widgets/Fonts.h"
#include "widgets/WindowZoom.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>

namespace dovrel {

namespace {

std::string withStepName(const char* command, const EditStep* step) {
    return step != nullptr ? std::string(command) + " " + step->name : std::string(command);
}

} // namespace

void Form1::buildAdditions(QWidget* client) {
    ControlFactory make(registry_);
    // Right of the Units box, under the coupling boxes.
    c_.lblConsistTotals =
        make.make<QLabel>(client, "lblConsistTotals", ControlKind::Label, {7290, 630, 5535, 345});
    setDesignedFont(c_.lblConsistTotals, requestedFont(QStringLiteral("Arial"), 8.25, false));
    c_.lblConsistTotals->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c_.lblConsistTotals->setWordWrap(true);
    // It lies on what was bare surface before it came: a press on it still clicks the background.
    c_.lblConsistTotals->setProperty(kOnSurface, true);
    // Beside the scan's per-unit caption, where the consist reading's caption goes; a scan and a
    // reading never run at once, and the bar is shown only during a scan.
    c_.prgScan =
        make.make<QProgressBar>(client, "prgScan", ControlKind::ProgressBar, {6960, 9720, 3015, 255});
    setDesignedFont(c_.prgScan, requestedFont(QStringLiteral("Arial"), 8.25, false));
    c_.prgScan->hide();

    // At the end of the Edit menu, so the places of its original items stay as they were.
    const auto addItem = [this](const char* name, const char* caption, QList<QKeySequence> keys) {
        QAction* action = c_.mnuEdit->addAction(QString());
        setCaption(action, caption);
        registerMenu(action, name, ControlKind::MenuItem);
        action->setShortcuts(keys);
        action->setEnabled(false);
        return action;
    };
    c_.mnuEdit->addSeparator();
    c_.mnuUndo = addItem("mnuUndo", "Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    c_.mnuRedo =
        addItem("mnuRedo", "Redo",
                {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    c_.mnuEdit->addSeparator();
    c_.mnuNextCouplerMismatch =
        addItem("mnuNextCouplerMismatch", "Next Coupler Mismatch", {QKeySequence(Qt::Key_F3)});
}

void Form1::wireAdditions() {
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
    new ShortcutKeyState(this, keyState(), keys);
}

void Form1::showAdditions() {
    const EditHistory& history = editor_->history();
    setCaption(c_.mnuUndo, withStepName("Undo", history.undoStep()));
    setCaption(c_.mnuRedo, withStepName("Redo", history.redoStep()));
    c_.mnuUndo->setEnabled(history.undoStep() != nullptr);
    c_.mnuRedo->setEnabled(history.redoStep() != nullptr);

    // Totals and gaps change only with the units or the weight unit.
    const ConsistLine& line = editor_->line();
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

void Form1::selectNextCouplerMismatch() {
    if (busy_.busy()) {
        return;
    }
    editor_->navigation().nextCouplerMismatch();
    showConsistDisplay();
}

void Form1::stepThroughHistory(bool (ConsistEditor::*step)()) {
    if (busy_.busy()) {
        return;
    }
    // The name typed so far belongs to the step taken back or made again.
    editor_->display().panelTexts().consistName = typedText(c_.Text1->text());
    (void)((*editor_).*step)();
    showConsistDisplay();
}

void Form1::showBlueprintsDone(int done, int found, std::chrono::milliseconds scanTime) {
    const auto now = std::chrono::steady_clock::now();
    if (!scanBarRedrawDue(done, now - scanBarDrawn_)) {
        return;
    }
    if (done == 0) {
        c_.prgScan->show();
        c_.prgScan->raise();
    }
    scanBarDrawn_ = now;
    c_.prgScan->setRange(0, std::max(found, 1));
    c_.prgScan->setFormat(displayText(scanProgressText(done, found, scanTime)));
    c_.prgScan->setValue(done);
}

} // namespace dovrel
