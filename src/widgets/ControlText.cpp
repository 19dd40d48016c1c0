// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ControlText.h"

#include "core/ListInsertions.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ListItemsRecord.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QItemSelectionModel>
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

namespace {

// Rows inserted run by run beyond this many runs cost more than a list filled anew.
constexpr std::size_t kMostInsertedRuns = 64;

// A row inserted among others moves every listed row after it, one at a time; a list costs less filled
// anew than moving more than this many rows for each of its rows.
constexpr std::size_t kMostMovedPerRow = 1024;

// Inserts the items of a run at its row of a list in one insertion, each as addItem adds it.
void insertListItems(QListWidget* list, RowRun run, std::span<const std::string_view> items,
                     const std::function<const ListItemText&(std::size_t)>& textOf) {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(run.count));
    std::vector<std::size_t> keepingBytes;
    for (std::size_t i = run.first; i < run.first + run.count; ++i) {
        const ListItemText& text = textOf(i);
        shown.append(text.text);
        if (text.keepsBytes) {
            keepingBytes.push_back(i);
        }
    }
    list->insertItems(static_cast<int>(run.first), shown);
    for (const std::size_t i : keepingBytes) {
        list->item(static_cast<int>(i))
            ->setData(kItemBytesRole, QByteArray(items[i].data(), static_cast<qsizetype>(items[i].size())));
    }
}

} // namespace

void setListItems(QListWidget* list, std::span<const std::string_view> items) {
    ListItemText made;
    setListItems(list, items, [items, &made](std::size_t i) -> const ListItemText& {
        made = listItemText(items[i]);
        return made;
    });
}

void setListItems(QListWidget* list, std::span<const std::string_view> items,
                  const std::function<const ListItemText&(std::size_t)>& textOf) {
    ListItemsRecord& record = ListItemsRecord::of(list);
    // A list without a chosen or current item that already shows some of the items in order gets
    // only the others, so a list that grows back by a few rows keeps its rows; it is then as if refilled.
    std::optional<std::vector<RowRun>> runs;
    const std::optional<std::span<const std::string_view>> shown = record.items();
    if (shown && static_cast<std::size_t>(list->count()) == shown->size() &&
        !list->currentIndex().isValid() && list->selectionModel()->selection().isEmpty()) {
        runs = insertedRuns(*shown, items);
        if (runs && (runs->size() > kMostInsertedRuns ||
                     rowsMovedByInserting(*runs, shown->size()) > kMostMovedPerRow * items.size())) {
            runs.reset();
        }
    }
    record.record(items, [&] {
        if (runs) {
            for (const RowRun& run : *runs) {
                insertListItems(list, run, items, textOf);
            }
        } else {
            list->clear();
            insertListItems(list, {0, items.size()}, items, textOf);
        }
    });
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
