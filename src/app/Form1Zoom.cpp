// SPDX-License-Identifier: GPL-3.0-or-later
// View > Zoom In, Zoom Out and Actual Size: every window shown larger or smaller in steps, its
// twips and all it does the same; kept as "Zoom" in the settings and shown again at the next start.
#include "app/Form1.h"
#include "app/InputFilters.h"

#include "app/FormRestore.h"
#include "app/FormScanReport.h"
#include "app/SecondaryWindows.h"
#include "core/ZoomSteps.h"
#include "widgets/ConsistStrip.h"
#include "widgets/ControlText.h"
#include "widgets/WindowZoom.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <string>

namespace dovrel {

void Form1::wireZoom() {
    connect(c_.mnuZoomIn, &QAction::triggered, this, [this] { chooseZoom(zoomStepAbove(zoomPercent())); });
    connect(c_.mnuZoomOut, &QAction::triggered, this, [this] { chooseZoom(zoomStepBelow(zoomPercent())); });
    connect(c_.mnuZoomReset, &QAction::triggered, this, [this] { chooseZoom(kZoomSteps.front()); });
    // Their keys count as held, as every other shortcut's do.
    QList<QKeySequence> keys;
    for (const QAction* action : {c_.mnuZoomIn, c_.mnuZoomOut, c_.mnuZoomReset}) {
        keys.append(action->shortcuts());
    }
    new ShortcutKeyState(this, keyState(), keys);
}

int Form1::zoomPercent() const {
    return zoomOf(this);
}

// The zoom the start shows: the stored one, else the desktop font's.
void Form1::applyStartZoom() {
    const std::optional<std::string> stored = services_.settings.value(kZoomKey);
    const int percent = startZoom(stored ? std::optional<std::string_view>(*stored) : std::nullopt,
                                  services_.desktopFontPoints);
    // At the actual size the windows stay exactly as they were built.
    if (percent != zoomPercent()) {
        showAtZoom(percent);
    }
}

// A zoom chosen in the View menu: stored, shown, and the window sized to it.
void Form1::chooseZoom(int percent) {
    services_.settings.setValue(kZoomKey, std::to_string(percent));
    if (percent == zoomPercent()) {
        return;
    }
    showAtZoom(percent);
    fitIntoAvailableArea();
    if (centralWidget() == client_ && !isMaximized() && !isFullScreen()) {
        // The layout's minimum size is still the last zoom's until it is worked out again, and a
        // smaller size would be held to it.
        layout()->activate();
        resize(sizeHint());
    }
}

// Shows the main window and its secondary windows at a zoom.
void Form1::showAtZoom(int percent) {
    zoomWindow(this, percent);
    client_->setFixedSize(twipsToPixels(kClientWidth, percent), twipsToPixels(kClientHeight, percent));
    for (SecondaryWindow* window : std::initializer_list<SecondaryWindow*>{
             form2_.get(), form3_.get(), form4_.get(), formRestore_.get(), formScanReport_.get()}) {
        window->zoomTo(percent);
    }
    c_.strip->update();
}

} // namespace dovrel
