// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopIdentity.h"

#include <QApplication>
#include <QIcon>

namespace dovrel {

namespace {
// The program's own copies of the installed icons, in the resources under :/icons.
QIcon bundledIcon() {
    QIcon icon;
    for (const char* size : {"48x48", "64x64", "128x128", "256x256"}) {
        icon.addFile(
            QStringLiteral(":/icons/%1/%2.png").arg(QLatin1String(size), QLatin1String(kDesktopFileName)));
    }
    return icon;
}
} // namespace

void joinDesktop() {
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopFileName));
    // The class X11 windows carry is the application's name.
    QCoreApplication::setApplicationName(QLatin1String(kWindowClass));
    QApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(kDesktopFileName), bundledIcon()));
}

} // namespace dovrel
