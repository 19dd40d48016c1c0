// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InputFilters.h"

#include "platform/qt/KeyCodes.h"
#include "widgets/ListRowsView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

namespace dovrel {

KeyStateFilter::KeyStateFilter(QWidget* mainWindow) : QObject(mainWindow), mainWindow_(mainWindow) {
    QApplication::instance()->installEventFilter(this);
}

bool KeyStateFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == mainWindow_) {
        keyUp();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != mainWindow_) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        keyDown(windowsKeyCode(key->key()));
    } else if (!key->isAutoRepeat()) {
        keyUp();
    }
    return false;
}

ShortcutKeyState::ShortcutKeyState(QWidget* mainWindow, KeyStateFilter& keyState, QList<QKeySequence> keys)
    : QObject(mainWindow), mainWindow_(mainWindow), keyState_(keyState), keys_(std::move(keys)) {
    QApplication::instance()->installEventFilter(this);
}

bool ShortcutKeyState::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != mainWindow_) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (keys_.contains(QKeySequence(key->keyCombination()))) {
        keyState_.keyDown(windowsKeyCode(key->key()));
    }
    return false;
}

void ComboKeyLock::lock(QComboBox* combo) {
    combo->installEventFilter(this);
    // The open list takes the keys while it is shown; its own filter would choose on Return.
    combo->view()->installEventFilter(this);
}

bool ComboKeyLock::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Escape;
    }
    return false;
}

ListChoiceWatch::ListChoiceWatch(ListRowsView* list, std::function<void()> chosen)
    : QObject(list), list_(list), chosen_(std::move(chosen)) {
    list->viewport()->installEventFilter(this);
    // A press selects the item after making it current, so the selection is what is watched.
    connect(list, &ListRowsView::itemSelectionChanged, this, [this] {
        chosenAtPress_ = QPersistentModelIndex();
        chosen_();
    });
    connect(list, &ListRowsView::clicked, this, [this](const QModelIndex& row) {
        const bool unchanged = chosenAtPress_.isValid() && chosenAtPress_ == row;
        chosenAtPress_ = QPersistentModelIndex();
        if (unchanged) {
            chosen_();
        }
    });
}

bool ListChoiceWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const int chosen = list_->chosenRow();
        chosenAtPress_ =
            chosen < 0 ? QPersistentModelIndex() : QPersistentModelIndex(list_->model()->index(chosen, 0));
    }
    return false;
}

} // namespace dovrel
