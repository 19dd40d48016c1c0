// Find as you type: a bar over the consist list's caption row whose text narrows the two equipment
// lists to the names that contain it. With the text empty the lists are exactly the browsing panels'.
#include "app/Form1.h"

#include "browser/FindNarrowing.h"
#include "catalogue/EquipmentRecord.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QShortcut>

namespace dovrel {

namespace {
// A found item's catalogue position; items of the panels' own lists carry none.
constexpr int kItemRecordRole = kItemBytesRole + 1;

bool holdsAlready(const QListWidget* list, const std::vector<FoundUnit>& units) {
    if (static_cast<std::size_t>(list->count()) != units.size()) {
        return false;
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        const QListWidgetItem* item = list->item(static_cast<int>(i));
        const QVariant position = item->data(kItemRecordRole);
        if (!position.isValid() || position.toULongLong() != units[i].record ||
            item->data(kItemBytesRole).toByteArray() != QByteArrayView(units[i].shown)) {
            return false;
        }
    }
    return true;
}
} // namespace

void Form1::buildFindBar(QWidget* client) {
    c_.mnuEdit->addSeparator();
    c_.mnuFindUnit = c_.mnuEdit->addAction(QString());
    setCaption(c_.mnuFindUnit, "Find Unit...");
    c_.mnuFindUnit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    registerMenu(c_.mnuFindUnit, "mnuFindUnit", ControlKind::MenuItem);

    c_.findBar = new QFrame(client);
    c_.findBar->setObjectName(QStringLiteral("findBar"));
    c_.findBar->setFrameShape(QFrame::Box);
    c_.findBar->setAutoFillBackground(true);
    placeInTwips(c_.findBar, {5640, 3990, 4335, 345});
    auto* caption = new QLabel(QStringLiteral("Find unit:"), c_.findBar);
    placeInTwips(caption, {60, 45, 840, 255});
    ControlFactory make(registry_);
    c_.txtFindUnit =
        make.make<QLineEdit>(c_.findBar, "txtFindUnit", ControlKind::TextBox, {900, 30, 3375, 285});
    c_.findBar->hide();
    c_.findEscape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    c_.findEscape->setContext(Qt::WindowShortcut);
    c_.findEscape->setEnabled(false);
}

void Form1::wireFind() {
    connect(c_.mnuFindUnit, &QAction::triggered, this, [this] { openFindBar(); });
    connect(c_.findEscape, &QShortcut::activated, this, [this] { closeFindBar(); });
    connect(c_.txtFindUnit, &QLineEdit::textChanged, this, [this] {
        if (finding() && c_.findBar->isHidden()) {
            c_.findBar->show();
            c_.findBar->raise();
            c_.findEscape->setEnabled(true);
        }
        rebuildList(BrowserSide::Loco);
        rebuildList(BrowserSide::Wagon);
    });
}

void Form1::openFindBar() {
    c_.findBar->show();
    c_.findBar->raise();
    c_.findEscape->setEnabled(true);
    c_.txtFindUnit->setFocus(Qt::ShortcutFocusReason);
    c_.txtFindUnit->selectAll();
}

void Form1::closeFindBar() {
    c_.txtFindUnit->clear();
    c_.findBar->hide();
    c_.findEscape->setEnabled(false);
}

bool Form1::finding() const {
    return !c_.txtFindUnit->text().isEmpty();
}

bool Form1::rebuildFoundList(BrowserSide side, const ListFilterTexts& texts,
                             std::span<const CouplerBox> boxes) {
    const std::optional<std::vector<FoundUnit>> units =
        foundUnits(side, catalogue_.records(), texts, boxes, FindText(c_.txtFindUnit->text()));
    if (!units) {
        return false;
    }
    QListWidget* list = panel(side).list;
    if (holdsAlready(list, *units)) {
        return true; // a key that finds the same items leaves the list, its choice and its scrolling alone
    }
    {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const FoundUnit& unit : *units) {
            auto* item = new QListWidgetItem(displayText(unit.shown));
            item->setData(kItemBytesRole, QByteArray::fromStdString(unit.shown));
            item->setData(kItemRecordRole, QVariant::fromValue<qulonglong>(unit.record));
            list->addItem(item);
        }
    }
    list->scrollToTop();
    updateCommandAvailability();
    return true;
}

ListChoice Form1::listChoice(const QListWidget* list) const {
    ListChoice choice{list->count(), chosenItemBytes(list), std::nullopt};
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        return choice;
    }
    const QVariant position = selected.front()->data(kItemRecordRole);
    const std::span<const std::string> records = catalogue_.records();
    if (position.isValid() && position.toULongLong() < records.size()) {
        const std::string& record = records[position.toULongLong()];
        choice.chosen = std::string(EquipmentRecord(record).field(RecordField::englishName));
        choice.record = record;
    }
    return choice;
}

std::vector<DetailsRow> Form1::foundDetailsRows(BrowserSide side) const {
    const QListWidget* list = panel(side).list;
    const std::span<const std::string> records = catalogue_.records();
    const QLocale locale;
    std::vector<DetailsRow> rows;
    for (int i = 0; i < list->count(); ++i) {
        const QVariant position = list->item(i)->data(kItemRecordRole);
        if (position.isValid() && position.toULongLong() < records.size()) {
            rows.push_back(
                detailsRowOf(side, EquipmentRecord(records[position.toULongLong()]), unitWeight_, locale));
        }
    }
    return rows;
}

} // namespace dovrel
