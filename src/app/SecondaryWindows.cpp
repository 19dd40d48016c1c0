// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SecondaryWindows.h"

#include "app/TipsText.h"
#include "browser/UnitDetails.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"
#include "widgets/Fonts.h"
#include "widgets/WindowZoom.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QShortcut>
#include <QTreeWidget>

namespace dovrel {

namespace {
// The About window's picture: a small locomotive and wagon on a track, drawn for this program.
QPixmap aboutPicture() {
    QPixmap picture(96, 48);
    picture.fill(QColor(0x24, 0x5D, 0xDB));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE0, 0xE0, 0xE0));
    painter.drawRect(0, 40, 96, 2); // rail
    painter.setBrush(QColor(0x00, 0x00, 0x80));
    painter.drawRoundedRect(6, 18, 40, 16, 3, 3); // locomotive body
    painter.drawRect(34, 10, 12, 10);             // cab
    painter.setBrush(QColor(0xFF, 0xFF, 0x00));
    painter.drawRect(4, 18, 3, 16); // front marker
    painter.setBrush(QColor(0x60, 0x60, 0x60));
    painter.drawRect(52, 20, 38, 14); // wagon
    painter.setBrush(QColor(0xFF, 0x80, 0x00));
    for (const int x : {12, 38, 58, 82}) {
        painter.drawEllipse(QPoint(x, 37), 4, 4); // wheels
    }
    return picture;
}
} // namespace

SecondaryWindow::SecondaryWindow(NamedControls& registry, const char* name, const char* caption,
                                 float innerWidth, float innerHeight)
    : QWidget(nullptr) {
    setObjectName(QString::fromLatin1(name));
    setCaption(this, caption);
    setDesignedFont(this, dialogFont());
    resize(twipsToPixels(innerWidth, kActualSize), twipsToPixels(innerHeight, kActualSize));
    registry.addWidget(name, this, ControlKind::Window);
}

void SecondaryWindow::zoomTo(int percent) {
    const int before = zoomOf(this);
    if (percent == before) {
        return;
    }
    const float width = pixelsToTwips(this->width(), before);
    const float height = pixelsToTwips(this->height(), before);
    zoomWindow(this, percent);
    resize(twipsToPixels(width, percent), twipsToPixels(height, percent));
}

void SecondaryWindow::closeOnEscape() {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("closeOnEscape"));
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void SecondaryWindow::showAndRaise() {
    show();
    raise();
    activateWindow();
}

Form2::Form2(NamedControls& registry) : SecondaryWindow(registry, "Form2", "About", 5400, 2400) {
    ControlFactory make(registry, "Form2.");
    auto* image = make.make<QLabel>(this, "Image1", ControlKind::Picture, {240, 240, 1440, 720});
    image->setPixmap(aboutPicture());
    // Drawn at the label's size, which is the picture's own at the actual size and grows with a zoom.
    image->setScaledContents(true);
    auto* title = make.make<QLabel>(this, "Label1", ControlKind::Label, {1920, 240, 3240, 360},
                                    "Dovrel Consist Editor");
    setDesignedFont(title, requestedFont(QStringLiteral("Arial"), 12, true));
    make.make<QLabel>(this, "Label2", ControlKind::Label, {1920, 720, 3240, 255}, "Version 1.0.0 build 204");
    make.make<QLabel>(this, "Label3", ControlKind::Label, {240, 1320, 4920, 255},
                      "Consists for the train-simulation game Vantor.");
    make.make<QLabel>(this, "Label4", ControlKind::Label, {240, 1680, 4920, 255},
                      "Build a train, save it, and the game offers it.");
    closeOnEscape();
}

Form3::Form3(NamedControls& registry) : SecondaryWindow(registry, "Form3", "Tips", 9000, 6960) {
    ControlFactory make(registry, "Form3.");
    text1_ = make.make<QPlainTextEdit>(this, "Text1", ControlKind::TextBox, {120, 120, 8760, 6720});
    setDesignedFont(text1_, courierNew());
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const std::string tips = tipsText();
    // The text box keeps the text as set, CR LF included; it shows plain line breaks.
    setCaption(text1_, tips);
    text1_->setPlainText(QString::fromStdString(tips).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text1_->setAccessibleName(QStringLiteral("Tips"));
    closeOnEscape();
}

Form4::Form4(NamedControls& registry) : SecondaryWindow(registry, "Form4", "Unit Details", 14400, 6480) {
    ControlFactory make(registry, "Form4.");
    label1_ = make.make<QLabel>(this, "Label1", ControlKind::Label, {11265, 120, 2895, 255},
                                "Double-click to open unit folder");
    listView1_ = make.make<QTreeWidget>(this, "ListView1", ControlKind::ListView, {120, 360, 14160, 5985});
    listView1_->setRootIsDecorated(false);
    listView1_->setUniformRowHeights(true);
    listView1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView1_->setColumnCount(static_cast<int>(kDetailsColumnLayout.size()));
    QStringList headers;
    for (const DetailsColumn& column : kDetailsColumnLayout) {
        headers << QString::fromLatin1(column.header.data(), static_cast<qsizetype>(column.header.size()));
    }
    listView1_->setHeaderLabels(headers);
    for (std::size_t i = 0; i < kDetailsColumnLayout.size(); ++i) {
        setColumnWidthInTwips(listView1_, static_cast<int>(i), kDetailsColumnLayout[i].width);
    }
    listView1_->setAccessibleName(QStringLiteral("Unit details"));
    closeOnEscape();
}

void Form4::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized()) {
        return;
    }
    const int zoom = zoomOf(this);
    const float width = pixelsToTwips(event->size().width(), zoom);
    const float height = pixelsToTwips(event->size().height(), zoom);
    const TwipsRect label = twipsGeometry(label1_);
    moveInTwips(label1_, width - label.width - 240, label.top);
    resizeInTwips(listView1_, width - 240, height - 240 - label.height);
}

} // namespace dovrel
