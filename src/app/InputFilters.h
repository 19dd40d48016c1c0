// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <functional>

class QComboBox;
class QWidget;

namespace dovrel {

class ListRowsView;

// Keeps heldKeyCode: the Windows key number of the last key that went down anywhere in the main
// window, 0 after any key comes up or when the window is deactivated.
class KeyStateFilter final : public QObject {
    Q_OBJECT

public:
    explicit KeyStateFilter(QWidget* mainWindow);
    int heldKeyCode() const { return heldKeyCode_; }
    void keyDown(int code) { heldKeyCode_ = code; }
    void keyUp() { heldKeyCode_ = 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow_;
    int heldKeyCode_ = 0;
};

// A key that a menu item or a shortcut takes never arrives as a key press, so it would not reach
// heldKeyCode. This filter counts the given shortcut keys when Qt offers them to the main window's
// widgets, so heldKeyCode holds the same key whether or not a shortcut took it.
class ShortcutKeyState final : public QObject {
    Q_OBJECT

public:
    ShortcutKeyState(QWidget* mainWindow, KeyStateFilter& keyState, QList<QKeySequence> keys);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mainWindow_;
    KeyStateFilter& keyState_;
    QList<QKeySequence> keys_;
};

// Combo boxes that keys and the wheel cannot change: key presses are swallowed in the box and in
// its open drop-down list (Tab still moves the focus, Escape still closes the list), and so are wheel
// turns, so a box changes only by choosing from its drop-down list with the mouse.
class ComboKeyLock final : public QObject {
    Q_OBJECT

public:
    explicit ComboKeyLock(QObject* parent) : QObject(parent) {}
    void lock(QComboBox* combo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Runs a list's click handler once for every change of its chosen (selected) item that the user
// makes (a press, a drag over the items, the keys) and once for a click on the item that already was
// chosen. Changes made from code with the list's signals blocked run nothing.
class ListChoiceWatch final : public QObject {
    Q_OBJECT

public:
    ListChoiceWatch(ListRowsView* list, std::function<void()> chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListRowsView* list_;
    std::function<void()> chosen_;
    // The chosen row when the mouse went down (invalid once the list is refilled); cleared when a change
    // of the choice ran the handler.
    QPersistentModelIndex chosenAtPress_;
};

} // namespace dovrel
