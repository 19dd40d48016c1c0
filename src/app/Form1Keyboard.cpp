// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: shortcuts of the File and Edit menus, and Ctrl+D for the Details
// of the panel that has the focus; the consist line's own keys are ConsistLineCommands'. Every key
// runs the command its button or menu item runs, and a disabled command does nothing.
#include "app/Form1.h"

#include "app/InputFilters.h"
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

} // namespace dovrel
