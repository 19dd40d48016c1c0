// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QStringList>

namespace dovrel {

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

FindNarrowing& Form1::narrowing() {
    if (!findNarrowing_) {
        findNarrowing_.emplace(catalogue_.records());
    }
    return *findNarrowing_;
}

void Form1::openFindBar() {
    narrowing().foldAllNames();
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
    std::optional<std::vector<FoundUnit>> units =
        narrowing().foundUnits(side, texts, boxes, FindText(c_.txtFindUnit->text()));
    if (!units) {
        return false;
    }
    QListWidget* list = panel(side).list;
    std::vector<FoundUnit>& shown = foundShown_[sideIndex(side)];
    if (*units == shown && static_cast<std::size_t>(list->count()) == shown.size()) {
        return true; // a key that finds the same items leaves the list, its choice and its scrolling alone
    }
    shown = std::move(*units);
    std::vector<std::string_view> shownTexts;
    shownTexts.reserve(shown.size());
    for (const FoundUnit& unit : shown) {
        shownTexts.push_back(unit.shown);
    }
    {
        const QSignalBlocker quiet(list);
        setListItems(list, shownTexts);
    }
    list->scrollToTop();
    updateCommandAvailability();
    return true;
}

const FoundUnit* Form1::foundUnitAt(const QListWidget* list, int row) const {
    const std::vector<FoundUnit>& shown =
        foundShown_[sideIndex(list == c_.List1 ? BrowserSide::Loco : BrowserSide::Wagon)];
    if (static_cast<std::size_t>(list->count()) != shown.size() || row < 0 ||
        static_cast<std::size_t>(row) >= shown.size() ||
        shown[static_cast<std::size_t>(row)].record >= catalogue_.size()) {
        return nullptr;
    }
    return &shown[static_cast<std::size_t>(row)];
}

ListChoice Form1::listChoice(const QListWidget* list) const {
    ListChoice choice{list->count(), chosenItemBytes(list), std::nullopt};
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        return choice;
    }
    if (const FoundUnit* unit = foundUnitAt(list, list->row(selected.front()))) {
        const std::string& record = catalogue_.records()[unit->record];
        choice.chosen = std::string(EquipmentRecord(record).field(RecordField::englishName));
        choice.record = record;
    }
    return choice;
}

std::vector<DetailsRow> Form1::foundDetailsRows(BrowserSide side) const {
    const QListWidget* list = panel(side).list;
    const QLocale locale;
    std::vector<DetailsRow> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (const FoundUnit* unit = foundUnitAt(list, i)) {
            rows.push_back(
                detailsRowOf(side, EquipmentRecord(catalogue_.records()[unit->record]), unitWeight_, locale));
        }
    }
    return rows;
}

} // namespace dovrel
