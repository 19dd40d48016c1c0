// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: the consist line's keys, shortcuts of the File and Edit menus,
// and Ctrl+D for the Details of the panel that has the focus. Every key runs the command its button
// or menu item runs, and a disabled command does nothing.
#include "app/Form1.h"

#include "app/InputFilters.h"
#include "consist/ConsistEditor.h"
#include "widgets/ConsistStrip.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace dovrel {

void Form1::wireKeyboard() {
    // The consist line follows the name box in the Tab order; the Units box beside it takes no focus.
    QWidget::setTabOrder(c_.Text1, c_.strip);
    c_.strip->setKeyHandler([this](StripKey key) { stripKeyPressed(key); });

    const std::pair<QAction*, QKeySequence> menuKeys[] = {
        {c_.mnuSaveConsistToVTUserConsists, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {c_.mnuOpenVTUserConsists, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {c_.mnuOpenVTScenarioConsists, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {c_.mnuNewConsist, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {c_.mnuExit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {c_.mnuRefreshEquipmentList, QKeySequence(Qt::Key_F5)},
    };
    QList<QKeySequence> keys;
    for (const auto& [action, key] : menuKeys) {
        action->setShortcut(key);
        keys.append(key);
    }

    const QKeySequence detailsKey(Qt::CTRL | Qt::Key_D);
    auto* details = new QShortcut(detailsKey, this);
    details->setObjectName(QStringLiteral("detailsShortcut"));
    connect(details, &QShortcut::activated, this, [this] {
        const QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            return;
        }
        if (c_.Frame1->isAncestorOf(focus)) {
            c_.butDisplayLoco->click();
        } else if (c_.Frame2->isAncestorOf(focus)) {
            c_.butDisplayWagon->click();
        }
    });
    keys.append(detailsKey);
    new ShortcutKeyState(this, keyState(), keys);
}

void Form1::stripKeyPressed(StripKey key) {
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

void Form1::selectUnitByKey(SelectionStep step) {
    const ConsistLine& line = editor_->line();
    const std::optional<std::int32_t> unit = unitAfterStep(step, line.selectedIndex(), line.unitCount());
    if (!unit) {
        return;
    }
    runEditorStep([&] { editor_->navigation().selectByKey(*unit, kClientWidth); });
}

} // namespace dovrel
