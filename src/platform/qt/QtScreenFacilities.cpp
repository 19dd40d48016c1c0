// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtScreenFacilities.h"

#include "platform/qt/PathText.h"
#include "platform/qt/TextConversion.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <qpa/qplatformscreen.h>

namespace dovrel {

namespace {
QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MessageAnswer QtMessageBoxes::show(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Dovrel Consist Editor"));
    box.setText(displayText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(qtIcon(icon));
    if (buttons == MessageButtons::OK) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::OK;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return dismissedAnswer(buttons);
    }
}

QString qtFileFilter(const std::string& filter) {
    const std::size_t bar = filter.find('|');
    return displayText(bar == std::string::npos ? filter : filter.substr(0, bar));
}

std::optional<std::filesystem::path> QtFileDialogs::openFile(const std::string& title,
                                                             const std::filesystem::path& folder,
                                                             const std::string& filter) {
    const QString chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), displayText(title),
                                                        pathToQString(folder), qtFileFilter(filter));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return pathFromQString(chosen);
}

void QtWaitCursor::show() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void QtWaitCursor::restore() {
    QApplication::restoreOverrideCursor();
}

void QtPointer::moveTo(int x, int y) {
    QCursor::setPos(x, y);
}

bool QtFolderOpener::open(const std::filesystem::path& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pathToQString(folder)));
}

ScreenSize primaryScreenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->handle() == nullptr) {
        return {};
    }
    const QPlatformScreen& platform = *screen->handle();
    const QSize size = platform.geometry().size();
    const qreal ratio = platform.devicePixelRatio();
    return {qRound(size.width() * ratio), qRound(size.height() * ratio)};
}

ScreenSize primaryScreenAvailableArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize available = screen->availableGeometry().size();
    return {available.width(), available.height()};
}

} // namespace dovrel
