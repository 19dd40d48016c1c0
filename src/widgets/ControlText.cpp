// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ControlText.h"

#include "platform/qt/TextConversion.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>
#include <algorithm>

namespace dovrel {

namespace {
constexpr const char* kCaptionProperty = "dovrelCaption";

QString literalAmpersands(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
} // namespace

void addItem(QComboBox* combo, std::string_view bytes) {
    combo->addItem(displayText(bytes));
    combo->setItemData(combo->count() - 1, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                       kItemBytesRole);
}

void addItem(QListWidget* list, std::string_view bytes) {
    addItem(list, bytes, bytes);
}

void addItem(QListWidget* list, std::string_view shownBytes, std::string_view bytes) {
    // The item gets its text and bytes before it joins the list, so the list's model and view see
    // one insertion and no change of an item already listed.
    auto* item = new QListWidgetItem(displayText(shownBytes));
    item->setData(kItemBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    list->addItem(item);
}

ListItemText listItemText(std::string_view bytes) {
    ListItemText made{displayText(bytes), false};
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // The rare name whose bytes its text does not give back keeps them beside it.
    made.keepsBytes = !ascii && typedText(made.text) != bytes;
    return made;
}

void addMeasuredItem(QListWidget* list, std::string_view shownBytes, std::string_view bytes) {
    addItem(list, shownBytes, bytes);
    QListWidgetItem* item = list->item(list->count() - 1);
    item->setData(Qt::SizeHintRole, list->sizeHintForIndex(list->indexFromItem(item)));
}

std::optional<std::string> chosenItemBytes(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return itemBytes(selected.front()->data(kItemBytesRole), selected.front()->text());
}

std::string itemBytes(const QVariant& stored, const QString& shown) {
    if (stored.isValid()) {
        return stored.toByteArray().toStdString();
    }
    return typedText(shown);
}

std::string withoutAccelerators(std::string_view caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                plain.push_back('&');
                ++i;
            }
            continue;
        }
        plain.push_back(caption[i]);
    }
    return plain;
}

void setCaption(QWidget* control, std::string_view caption) {
    control->setProperty(kCaptionProperty,
                         QByteArray(caption.data(), static_cast<qsizetype>(caption.size())));
    const QString shown = displayText(caption);
    if (auto* checkBox = qobject_cast<QCheckBox*>(control)) {
        checkBox->setText(literalAmpersands(shown));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(shown);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(shown);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(shown);
    } else {
        control->setWindowTitle(shown);
    }
}

void setCaption(QAction* item, std::string_view caption) {
    item->setProperty(kCaptionProperty, QByteArray(caption.data(), static_cast<qsizetype>(caption.size())));
    item->setText(displayText(caption));
}

std::string storedCaption(const QObject* control) {
    return control->property(kCaptionProperty).toByteArray().toStdString();
}

} // namespace dovrel
