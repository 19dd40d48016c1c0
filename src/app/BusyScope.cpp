// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BusyScope.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace dovrel {

BusyState::BusyState(QObject* parent) : QObject(parent) {
    QApplication::instance()->installEventFilter(this);
}

void BusyState::filterBeforeOthers() {
    QApplication::instance()->installEventFilter(this);
}

void BusyState::watch(QWidget* window) {
    windows_.emplace_back(window);
}

void BusyState::rememberCloseRequest(std::function<void()> reissue) {
    pendingClose_ = std::move(reissue);
}

void BusyState::enter() {
    ++depth_;
}

void BusyState::leave() {
    if (depth_ > 0) {
        --depth_;
    }
    if (depth_ == 0 && pendingClose_) {
        const std::function<void()> reissue = std::move(pendingClose_);
        pendingClose_ = nullptr;
        reissue();
    }
}

bool BusyState::belongsToWatchedWindow(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return false;
    }
    const QWidget* window = widget->window();
    for (const QPointer<QWidget>& watched : windows_) {
        if (watched == window) {
            return true;
        }
    }
    return false;
}

bool BusyState::eventFilter(QObject* watched, QEvent* event) {
    if (depth_ == 0) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return belongsToWatchedWindow(watched);
    default:
        return false;
    }
}

} // namespace dovrel
