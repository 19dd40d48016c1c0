// SPDX-License-Identifier: GPL-3.0-or-later
// What a first start needs besides the start-up sequence: a window that fits a scaled screen, and the
// game found in the user's Steam libraries.
#include "app/Form1.h"

#include "platform/SteamLibraries.h"

#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace dovrel {

namespace fs = std::filesystem;

// Where the client area does not fit the screen's available area, it is put into a scroll area and the
// window is sized to that area; where it fits, it is the central widget itself.
void Form1::fitIntoAvailableArea() {
    // After a zoom the client area may fit again: it leaves the scroll area it was put in.
    if (auto* scroller = qobject_cast<QScrollArea*>(centralWidget())) {
        setCentralWidget(scroller->takeWidget());
        client_->show();
    }
    const ScreenSize area = services_.availableArea;
    const QSize needed = sizeHint();
    if (area.width <= 0 || area.height <= 0 ||
        (needed.width() <= area.width && needed.height() <= area.height)) {
        return;
    }
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("Form1Scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(takeCentralWidget());
    setCentralWidget(scroller);
    if (isVisible()) {
        // A zoom of a shown window: the controls can be reached at once, not only from the next
        // turn of the event loop on.
        scroller->show();
    }
    // A scroll bar along one edge takes its room from the other direction.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller);
    const bool tooWide = needed.width() > area.width;
    const bool tooHigh = needed.height() > area.height;
    // The window's least size is the scroll area's from now on, not that of the client area it
    // held before (a zoom of a shown window).
    layout()->activate();
    resize(std::min(needed.width() + (tooHigh ? bar : 0), area.width),
           std::min(needed.height() + (tooWide ? bar : 0), area.height));
}

// How far the scroll area has moved the client area, in pixels (0, 0 without one).
QPoint Form1::clientScrollOffset() const {
    const auto* scroller = qobject_cast<const QScrollArea*>(centralWidget());
    if (scroller == nullptr) {
        return {};
    }
    return {-scroller->horizontalScrollBar()->value(), -scroller->verticalScrollBar()->value()};
}

// With no game folder set, offers each game installation found in the user's Steam libraries in
// turn; the one accepted is stored as "GameFolder" as Locate Game .EXE stores it.
void Form1::offerSteamGameFolders() {
    for (const fs::path& found : SteamLibraries(services_.homeFolder).gameFolders()) {
        const MessageAnswer answer = services_.messages.askYesNo(
            "The game was found in:\r\n\r\n" + found.string() + "\r\n\r\nUse this game folder?");
        if (answer == MessageAnswer::Yes) {
            services_.settings.setValue(kGameFolderKey, found.string());
            folders_.gameFolder = found;
            return;
        }
    }
}

// Where Locate Game .EXE opens its dialog: the stored game folder, else the first Steam library's
// games folder, else the home folder.
fs::path Form1::locateStartFolder() const {
    if (const std::optional<std::string> stored = services_.settings.value(kGameFolderKey);
        stored && !stored->empty()) {
        return *stored;
    }
    if (const std::optional<fs::path> games = SteamLibraries(services_.homeFolder).firstGamesFolder()) {
        return *games;
    }
    return services_.homeFolder.empty() ? services_.programFolder : services_.homeFolder;
}

} // namespace dovrel
