// SPDX-License-Identifier: GPL-3.0-or-later
// The browsing panels of the main window: provider, product and class filters, the two lists, find
// as you type, the coupling filter panel and the unit details window.
#include "app/EquipmentBrowser.h"

#include "app/CatalogueListRows.h"
#include "app/InputFilters.h"
#include "app/SecondaryWindows.h"
#include "browser/CouplerCaptions.h"
#include "browser/CouplerFilter.h"
#include "browser/CouplingFilterPanel.h"
#include "browser/ListFilter.h"
#include "browser/ProductChoices.h"
#include "browser/UnitDetails.h"
#include "browser/UnitFolder.h"
#include "browser/WeightUnits.h"
#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"
#include "widgets/ListRowsView.h"
#include "widgets/Twips.h"
#include "widgets/WidestRowDelegate.h"
#include "widgets/WindowZoom.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <algorithm>
#include <system_error>

namespace dovrel {

namespace {
std::string comboText(const QComboBox* combo) {
    const int index = combo->currentIndex();
    return index < 0 ? std::string()
                     : itemBytes(combo->itemData(index, kItemBytesRole), combo->itemText(index));
}
} // namespace

EquipmentBrowser::EquipmentBrowser(const Form1Controls& controls, NamedControls& registry,
                                   const Services& services, const Catalogue& catalogue,
                                   const CatalogueLists& lists, const GameFolders& folders,
                                   const std::string& unitWeight, Form4& details, Callbacks callbacks)
    : c_(controls), registry_(registry), services_(services), catalogue_(catalogue), lists_(lists),
      folders_(folders), unitWeight_(unitWeight), details_(details),
      callbacks_(std::move(callbacks)), panels_{Panel{controls.Combo5, controls.Combo1, controls.Combo3,
                                                      controls.List1},
                                                Panel{controls.Combo6, controls.Combo2, controls.Combo4,
                                                      controls.List2}} {
    couplerBoxes_.push_back(c_.chkCoupler0);
    c_.Label21->installEventFilter(this);
    wirePanels();
    wireFind();
}

void EquipmentBrowser::selectItem(QComboBox* combo, int index) {
    {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
    }
    for (const BrowserSide side : {BrowserSide::Loco, BrowserSide::Wagon}) {
        const Panel& p = panel(side);
        if (combo == p.provider) {
            providerChosen(side);
        } else if (combo == p.product) {
            productChosen(side);
        } else if (combo == p.unitClass) {
            rebuildList(side);
        }
    }
}

void EquipmentBrowser::providerChosen(BrowserSide side) {
    const Panel& p = panel(side);
    const std::optional<std::vector<std::string>> products =
        productChoices(comboText(p.provider), lists_.providerProductList);
    if (!products) {
        return;
    }
    {
        const QSignalBlocker quiet(p.product);
        p.product->clear();
        for (const std::string& product : *products) {
            addItem(p.product, product);
        }
    }
    selectItem(p.product, 0);
}

void EquipmentBrowser::productChosen(BrowserSide side) {
    if (!comboText(panel(side).product).empty()) {
        rebuildList(side);
    }
}

EquipmentBrowser::PanelFilter EquipmentBrowser::panelFilter(BrowserSide side) const {
    const Panel& p = panel(side);
    PanelFilter filter{comboText(p.provider), comboText(p.product), comboText(p.unitClass), {}};
    for (std::size_t i = 1; i < couplerBoxes_.size(); ++i) {
        filter.boxes.push_back({couplerCaptions_[i - 1], couplerBoxes_[i]->isChecked()});
    }
    return filter;
}

void EquipmentBrowser::showItems(BrowserSide side, FoundItemsPtr items) {
    ListRowsView* list = panel(side).list;
    CatalogueItemTexts& texts = *itemTexts();
    const QFont font = list->font();
    int widest = 0;
    for (const FoundUnit& item : items->units) {
        widest = std::max(widest, texts.widthOf(item.record, item.shown, font));
    }
    if (auto* rows = qobject_cast<WidestRowDelegate*>(list->itemDelegate())) {
        rows->setWidestText(widest);
    }
    {
        // The rows are read from the items as the list shows them; none current or chosen.
        const QSignalBlocker quiet(list);
        list->setRows(std::make_shared<CatalogueListRows>(std::move(items), itemTexts()));
    }
    // A refilled list starts at its top, as a cleared one does.
    list->scrollToTop();
    callbacks_.listsChanged();
}

void EquipmentBrowser::rebuildList(BrowserSide side) {
    const PanelFilter filter = panelFilter(side);
    if (finding()) {
        rebuildFoundList(side, filter);
        return;
    }
    const std::optional<std::vector<std::size_t>>& positions =
        narrowing().listedPositions(side, filter.texts(), filter.boxes);
    if (!positions) {
        return;
    }
    // The panels' own items: each record's name.
    auto items = std::make_shared<FoundItems>();
    items->units.reserve(positions->size());
    CatalogueItemTexts& texts = *itemTexts();
    for (const std::size_t position : *positions) {
        items->units.push_back({texts.name(position), position});
    }
    foundShown_[sideIndex(side)].reset();
    showItems(side, std::move(items));
}

void EquipmentBrowser::listClicked(BrowserSide side) {
    const ListRowsView* list = panel(side).list;
    const ListChoice chosen = listChoice(side);
    if (list->count() == 0 || !chosen.chosen) {
        return;
    }
    callbacks_.listsChanged();
    // A found item names its own record; the others are looked up by name.
    const SelectedUnitCouplers couplers =
        chosen.record ? couplersOfRecord(*chosen.record) : couplersOfListItem(catalogue_, *chosen.chosen);
    callbacks_.unitChosen(couplers);
}

void EquipmentBrowser::couplerBoxChanged() {
    rebuildList(BrowserSide::Loco);
    rebuildList(BrowserSide::Wagon);
}

void EquipmentBrowser::setBoxChecked(QCheckBox* box, bool on) {
    if (box->isChecked() == on) {
        return;
    }
    {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    couplerBoxChanged();
}

void EquipmentBrowser::showCouplingFilter() {
    const TwipsRect frame = twipsGeometry(c_.Frame4);
    const PanelPosition place =
        couplingFilterPlacement(kForm1ClientWidth, kForm1ClientHeight, frame.width, frame.height);
    moveInTwips(c_.Frame4, place.left, place.top);
    c_.Frame4->show();
    c_.Frame4->raise();
}

void EquipmentBrowser::checkAllCouplers(bool on) {
    for (std::size_t i = 1; i < couplerBoxes_.size(); ++i) {
        setBoxChecked(couplerBoxes_[i], on);
    }
}

void EquipmentBrowser::buildCouplerBoxes() {
    for (std::size_t i = couplerBoxes_.size(); i-- > 1;) {
        registry_.removeWithPrefix("chkCoupler[" + std::to_string(i) + "]");
        delete couplerBoxes_[i];
    }
    couplerBoxes_.resize(1);
    couplerCaptions_ = couplerBoxCaptions(lists_.couplerList);

    const TwipsRect templateBox = twipsGeometry(c_.chkCoupler0);
    const CouplerBoxColumn column{templateBox.top, templateBox.height};
    for (std::size_t element = 1; element <= couplerCaptions_.size(); ++element) {
        auto* box = new QCheckBox(c_.Frame4);
        box->setObjectName(QStringLiteral("chkCoupler"));
        placeInTwips(box, {templateBox.left, column.topOf(element), templateBox.width, templateBox.height});
        setCaption(box, couplerCaptions_[element - 1]);
        box->setChecked(c_.chkCoupler0->isChecked());
        box->show();
        connect(box, &QCheckBox::toggled, this, [this] { couplerBoxChanged(); });
        registry_.addWidget("chkCoupler[" + std::to_string(element) + "]", box, ControlKind::CheckBox);
        couplerBoxes_.push_back(box);
    }
    if (const std::optional<float> height = column.panelHeight(couplerCaptions_.size())) {
        resizeInTwips(c_.Frame4, twipsGeometry(c_.Frame4).width, *height);
    }
    const TwipsRect frame = twipsGeometry(c_.Frame4);
    const PanelPosition place =
        couplingFilterPlacement(kForm1ClientWidth, kForm1ClientHeight, frame.width, frame.height);
    moveInTwips(c_.Frame4, place.left, place.top);
}

void EquipmentBrowser::fillProviderCombos() {
    const std::vector<std::string> providers =
        lists_.providerList.empty() ? std::vector<std::string>() : splitAt(lists_.providerList, "|");
    for (const Panel& p : panels_) {
        QComboBox* combo = p.provider;
        const QSignalBlocker quiet(combo);
        combo->clear();
        if (providers.size() >= 2) {
            addItem(combo, "All");
        }
        for (const std::string& provider : providers) {
            addItem(combo, provider);
        }
    }
    // An empty catalogue has no first provider to select; the lists stay empty.
    for (const Panel& p : panels_) {
        QComboBox* combo = p.provider;
        if (combo->count() > 0) {
            selectItem(combo, 0);
        }
    }
}

void EquipmentBrowser::showUnitDetails(BrowserSide side) {
    const ListRowsView* list = panel(side).list;
    if (list->count() == 0) {
        return;
    }
    std::vector<std::string> items;
    for (int i = 0; i < list->count() && !finding(); ++i) {
        items.push_back(list->bytes(i));
    }
    QTreeWidget* view = details_.listView();
    view->clear();
    setColumnWidthInTwips(view, static_cast<int>(kCargoCapacityColumn), cargoColumnWidth(side));
    QList<QTreeWidgetItem*> rows;
    const std::vector<DetailsRow> details =
        finding() ? foundDetailsRows(side)
                  : detailsRows(side, items, catalogue_.records(), unitWeight_, QLocale());
    for (const DetailsRow& row : details) {
        auto* item = new QTreeWidgetItem();
        for (std::size_t c = 0; c < row.size(); ++c) {
            item->setText(static_cast<int>(c), displayText(row[c]));
            item->setData(static_cast<int>(c), kItemBytesRole, QByteArray::fromStdString(row[c]));
        }
        rows.append(item);
    }
    view->addTopLevelItems(rows);
    details_.showAndRaise();
}

void EquipmentBrowser::openUnitFolder(QTreeWidgetItem* row) {
    if (row == nullptr) {
        return;
    }
    const int column = static_cast<int>(kEnglishNameColumn);
    const std::string name = itemBytes(row->data(column, kItemBytesRole), row->text(column));
    const std::optional<std::filesystem::path> folder =
        unitFolderToOpen(name, catalogue_, folders_.assetsFolder);
    if (folder) {
        openFolderInExplorer(*folder);
    }
}

void EquipmentBrowser::openFolderInExplorer(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        services_.messages.warn(folder.filename().string() + "\r\n\r\nFolder does not exist.");
        return;
    }
    if (!services_.folders.open(folder)) {
        services_.messages.warn(folderNotOpenedMessage(folder));
    }
}

void EquipmentBrowser::wirePanels() {
    for (const BrowserSide side : {BrowserSide::Loco, BrowserSide::Wagon}) {
        const Panel& p = panel(side);
        connect(p.provider, &QComboBox::activated, this, [this, side] { providerChosen(side); });
        connect(p.product, &QComboBox::activated, this, [this, side] { productChosen(side); });
        connect(p.unitClass, &QComboBox::activated, this, [this, side] { rebuildList(side); });
        new ListChoiceWatch(p.list, [this, side] { listClicked(side); });
    }
    connect(c_.butCouplingFilter, &QPushButton::clicked, this, [this] { showCouplingFilter(); });
    connect(c_.butExitFilter2, &QPushButton::clicked, this, [this] { c_.Frame4->hide(); });
    connect(c_.butCheckAll, &QPushButton::clicked, this, [this] { checkAllCouplers(true); });
    connect(c_.butCheckNone, &QPushButton::clicked, this, [this] { checkAllCouplers(false); });
    connect(c_.butDisplayLoco, &QPushButton::clicked, this, [this] { showUnitDetails(BrowserSide::Loco); });
    connect(c_.butDisplayWagon, &QPushButton::clicked, this, [this] { showUnitDetails(BrowserSide::Wagon); });
    connect(details_.listView(), &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* row) { openUnitFolder(row); });
}

void EquipmentBrowser::prepareForScan() {
    fillFixedFilters();
    // What was made of the old catalogue points into it, and so do the lists' rows, which the window
    // empties before every scan.
    for (const Panel& p : panels_) {
        p.list->clear();
    }
    foundShown_ = {};
    findNarrowing_.reset();
    itemTexts_.reset();
}

void EquipmentBrowser::showCatalogue() {
    buildCouplerBoxes();
    fillProviderCombos();
}

void EquipmentBrowser::clear() {
    c_.Frame4->hide();
    for (const Panel& p : panels_) {
        p.list->clear();
    }
    foundShown_ = {};
    for (const Panel& p : panels_) {
        for (QComboBox* combo : {p.product, p.unitClass, p.provider}) {
            const QSignalBlocker quiet(combo);
            combo->clear();
        }
    }
}

void EquipmentBrowser::fillFixedFilters() {
    for (const Panel& p : panels_) {
        for (QComboBox* combo : {p.product, p.unitClass}) {
            const QSignalBlocker quiet(combo);
            combo->clear();
        }
    }
    QComboBox* locoClasses = panel(BrowserSide::Loco).unitClass;
    QComboBox* wagonClasses = panel(BrowserSide::Wagon).unitClass;
    const QSignalBlocker quietLoco(locoClasses);
    const QSignalBlocker quietWagon(wagonClasses);
    for (const char* item : {"All", "Diesel", "Electric", "Steam"}) {
        addItem(locoClasses, item);
    }
    for (const char* item : {"All", "Freight", "Passenger"}) {
        addItem(wagonClasses, item);
    }
    locoClasses->setCurrentIndex(0);
    wagonClasses->setCurrentIndex(0);
}

void EquipmentBrowser::filterTitlePressed(float x, float y) {
    titleDrag_.mouseDown(1, x, y);
}

void EquipmentBrowser::filterTitleMoved(float x, float y) {
    moveFilterPanel(titleDrag_.mouseMove(1, x, y, filterPanelPosition()));
}

void EquipmentBrowser::filterTitleReleased(float x, float y) {
    moveFilterPanel(titleDrag_.mouseUp(1, x, y, filterPanelPosition()));
}

PanelPosition EquipmentBrowser::filterPanelPosition() const {
    const TwipsRect frame = twipsGeometry(c_.Frame4);
    return {frame.left, frame.top};
}

void EquipmentBrowser::moveFilterPanel(const PanelPosition& position) {
    moveInTwips(c_.Frame4, position.left, position.top);
}

bool EquipmentBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.Label21 && titleStripMouse(event)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// A press, a move or a release on the coupling filter's title strip drags the panel.
bool EquipmentBrowser::titleStripMouse(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int zoom = zoomOf(c_.Label21);
    const float x = pixelsToTwips(static_cast<int>(mouse->position().x()), zoom);
    const float y = pixelsToTwips(static_cast<int>(mouse->position().y()), zoom);
    const auto mask = [](Qt::MouseButtons buttons) {
        return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
               (buttons & Qt::MiddleButton ? 4 : 0);
    };
    if (type == QEvent::MouseButtonPress) {
        titleDrag_.mouseDown(mask(mouse->buttons()), x, y);
    } else if (type == QEvent::MouseMove) {
        moveFilterPanel(titleDrag_.mouseMove(mask(mouse->buttons()), x, y, filterPanelPosition()));
    } else {
        moveFilterPanel(titleDrag_.mouseUp(mask(mouse->button()), x, y, filterPanelPosition()));
    }
    return true;
}

void EquipmentBrowser::wireFind() {
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

FindNarrowing& EquipmentBrowser::narrowing() {
    if (!findNarrowing_) {
        findNarrowing_.emplace(catalogue_.records());
    }
    return *findNarrowing_;
}

const std::shared_ptr<CatalogueItemTexts>& EquipmentBrowser::itemTexts() {
    if (!itemTexts_) {
        itemTexts_ = std::make_shared<CatalogueItemTexts>(catalogue_.records());
    }
    return itemTexts_;
}

void EquipmentBrowser::openFindBar() {
    // The names folded and both lists' every record found for the empty text, so that no key typed
    // waits for it.
    narrowing().foldAllNames();
    for (const BrowserSide side : {BrowserSide::Loco, BrowserSide::Wagon}) {
        const PanelFilter filter = panelFilter(side);
        narrowing().foundUnits(side, filter.texts(), filter.boxes, FindText(QString()));
    }
    c_.findBar->show();
    c_.findBar->raise();
    c_.findEscape->setEnabled(true);
    c_.txtFindUnit->setFocus(Qt::ShortcutFocusReason);
    c_.txtFindUnit->selectAll();
}

void EquipmentBrowser::closeFindBar() {
    c_.txtFindUnit->clear();
    c_.findBar->hide();
    c_.findEscape->setEnabled(false);
}

bool EquipmentBrowser::finding() const {
    return !c_.txtFindUnit->text().isEmpty();
}

void EquipmentBrowser::rebuildFoundList(BrowserSide side, const PanelFilter& filter) {
    FoundItemsPtr items =
        narrowing().foundUnits(side, filter.texts(), filter.boxes, FindText(c_.txtFindUnit->text()));
    if (!items) {
        return;
    }
    const ListRowsView* list = panel(side).list;
    FoundItemsPtr& shown = foundShown_[sideIndex(side)];
    const bool same = shown && static_cast<std::size_t>(list->count()) == shown->units.size() &&
                      (items == shown || items->units == shown->units);
    shown = std::move(items);
    // A key that finds the same items leaves the list, its choice and its scrolling alone.
    if (!same) {
        showItems(side, shown);
    }
}

const FoundUnit* EquipmentBrowser::foundUnitAt(BrowserSide side, int row) const {
    const ListRowsView* list = panel(side).list;
    const FoundItemsPtr& shown = foundShown_[sideIndex(side)];
    if (!shown || static_cast<std::size_t>(list->count()) != shown->units.size() || row < 0 ||
        static_cast<std::size_t>(row) >= shown->units.size() ||
        shown->units[static_cast<std::size_t>(row)].record >= catalogue_.size()) {
        return nullptr;
    }
    return &shown->units[static_cast<std::size_t>(row)];
}

ListChoice EquipmentBrowser::listChoice(BrowserSide side) const {
    const ListRowsView* list = panel(side).list;
    const int chosen = list->chosenRow();
    if (chosen < 0) {
        return {list->count(), std::nullopt, std::nullopt};
    }
    ListChoice choice{list->count(), list->bytes(chosen), std::nullopt};
    if (const FoundUnit* unit = foundUnitAt(side, chosen)) {
        const std::string& record = catalogue_.records()[unit->record];
        choice.chosen = std::string(EquipmentRecord(record).field(RecordField::englishName));
        choice.record = record;
    }
    return choice;
}

std::vector<DetailsRow> EquipmentBrowser::foundDetailsRows(BrowserSide side) const {
    const ListRowsView* list = panel(side).list;
    const QLocale locale;
    std::vector<DetailsRow> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (const FoundUnit* unit = foundUnitAt(side, i)) {
            rows.push_back(
                detailsRowOf(side, EquipmentRecord(catalogue_.records()[unit->record]), unitWeight_, locale));
        }
    }
    return rows;
}

} // namespace dovrel
