// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtScreenFacilities.h"

#include "platform/qt/PathText.h"
#include "platform/qt/TextConversion.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformtheme.h>

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

// A box at least as wide as its title needs in a title bar: the title in bold, and beside it the
// window's icon and its three buttons, each about twice the font's height wide.
void fitTitle(QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
    // QMessageBox lays itself out in a grid and keeps no minimum width of its own: a spacer across
    // the grid's last row holds the width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
}
} // namespace

MessageAnswer QtMessageBoxes::show(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Dovrel Consist Editor"));
    box.setText(displayText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(qtIcon(icon));
    fitTitle(box);
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

std::optional<std::filesystem::path> QtFileDialogs::saveFile(const std::string& title,
                                                             const std::filesystem::path& suggested,
                                                             const std::string& filter) {
    const QString chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(), displayText(title),
                                                        pathToQString(suggested), qtFileFilter(filter));
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

double desktopFontPoints() {
    // The offscreen and minimal platforms stand for no desktop at all: the font their theme names is
    // a fixed stand-in, not anybody's choice.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        return 0;
    }
    const QPlatformTheme* theme = QGuiApplicationPrivate::platformTheme();
    const QFont* font = theme != nullptr ? theme->font(QPlatformTheme::SystemFont) : nullptr;
    if (font == nullptr) {
        return 0;
    }
    if (font->pointSizeF() > 0) {
        return font->pointSizeF();
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (font->pixelSize() > 0 && screen != nullptr && screen->logicalDotsPerInchY() > 0) {
        return font->pixelSize() * 72.0 / screen->logicalDotsPerInchY();
    }
    return 0;
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
