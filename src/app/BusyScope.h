// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace dovrel {

// While a long operation runs, the user's presses, clicks, wheel turns and key-downs aimed at the
// program's windows are dropped (not queued); key-ups still reach the key state, and paint, resize
// and timer events run. A close request is remembered and made again when the outermost scope ends.
class BusyState final : public QObject {
    Q_OBJECT

public:
    explicit BusyState(QObject* parent = nullptr);

    bool busy() const { return depth_ > 0; }
    // The windows whose input is dropped while busy.
    void watch(QWidget* window);
    // Puts this filter before every application event filter installed so far (Qt asks the last
    // installed first), so that a dropped press reaches none of them; a release still does.
    void filterBeforeOthers();
    // Remembers a close request made while busy; it is made again by `reissue` at the end.
    void rememberCloseRequest(std::function<void()> reissue);

    void enter();
    void leave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToWatchedWindow(QObject* object) const;

    int depth_ = 0;
    std::vector<QPointer<QWidget>> windows_;
    std::function<void()> pendingClose_;
};

// Holds the busy state for as long as it lives; scopes nest.
class BusyScope {
public:
    explicit BusyScope(BusyState& state) : state_(state) { state_.enter(); }
    ~BusyScope() { state_.leave(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyState& state_;
};

} // namespace dovrel
