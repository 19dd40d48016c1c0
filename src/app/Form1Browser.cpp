// SPDX-License-Identifier: GPL-3.0-or-later
// The browsing panels of the main window: provider, product and class filters, the two lists, the
// coupling filter panel, the unit details window and the weight units.
#include "app/Form1.h"

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
#include "consist/ConsistEditor.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"
#include "widgets/Twips.h"
#include "widgets/WindowZoom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <system_error>

namespace dovrel {

namespace {
std::string comboText(const QComboBox* combo) {
    const int index = combo->currentIndex();
    return index < 0 ? std::string()
                     : itemBytes(combo->itemData(index, kItemBytesRole), combo->itemText(index));
}
} // namespace

Form1::BrowserPanel Form1::panel(BrowserSide side) const {
    if (side == BrowserSide::Loco) {
        return {c_.Combo5, c_.Combo1, c_.Combo3, c_.List1};
    }
    return {c_.Combo6, c_.Combo2, c_.Combo4, c_.List2};
}

void Form1::selectItem(QComboBox* combo, int index) {
    {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
    }
    if (combo == c_.Combo5 || combo == c_.Combo6) {
        providerChosen(combo == c_.Combo5 ? BrowserSide::Loco : BrowserSide::Wagon);
    } else if (combo == c_.Combo1 || combo == c_.Combo2) {
        productChosen(combo == c_.Combo1 ? BrowserSide::Loco : BrowserSide::Wagon);
    } else if (combo == c_.Combo3 || combo == c_.Combo4) {
        rebuildList(combo == c_.Combo3 ? BrowserSide::Loco : BrowserSide::Wagon);
    }
}

void Form1::providerChosen(BrowserSide side) {
    const BrowserPanel p = panel(side);
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

void Form1::productChosen(BrowserSide side) {
    if (!comboText(panel(side).product).empty()) {
        rebuildList(side);
    }
}

void Form1::rebuildList(BrowserSide side) {
    const BrowserPanel p = panel(side);
    const std::string provider = comboText(p.provider);
    const std::string product = comboText(p.product);
    const std::string unitClass = comboText(p.unitClass);
    std::vector<CouplerBox> boxes;
    for (std::size_t i = 1; i < couplerBoxes_.size(); ++i) {
        boxes.push_back({couplerCaptions_[i - 1], couplerBoxes_[i]->isChecked()});
    }
    if (finding()) {
        rebuildFoundList(side, {provider, product, unitClass}, boxes);
        return;
    }
    const std::optional<std::vector<std::string>> names =
        listedNames(side, catalogue_.records(), {provider, product, unitClass}, boxes);
    if (!names) {
        return;
    }
    {
        const QSignalBlocker quiet(p.list);
        foundShown_[sideIndex(side)].clear();
        setListItems(p.list, std::vector<std::string_view>(names->begin(), names->end()));
    }
    // A refilled list starts at its top, as a cleared one does.
    p.list->scrollToTop();
    updateCommandAvailability();
}

void Form1::listClicked(BrowserSide side) {
    QListWidget* list = panel(side).list;
    const ListChoice chosen = listChoice(list);
    if (list->count() == 0 || !chosen.chosen) {
        return;
    }
    updateCommandAvailability();
    // A found item names its own record; the others are looked up by name.
    const SelectedUnitCouplers couplers =
        chosen.record ? couplersOfRecord(*chosen.record) : couplersOfListItem(catalogue_, *chosen.chosen);
    // The boxes are shared with the consist editor, which keeps them with the line's display: what
    // they show then goes into the steps of Undo and Redo, and no later command shows older ones.
    ConsistPanelTexts& boxes = editor_->display().panelTexts();
    boxes.frontCouplingBox = couplers.front;
    boxes.rearCouplingBox = couplers.rear;
    setCaption(c_.Label25, couplers.front);
    setCaption(c_.Label6, couplers.rear);
}

void Form1::couplerBoxChanged() {
    rebuildList(BrowserSide::Loco);
    rebuildList(BrowserSide::Wagon);
}

void Form1::setBoxChecked(QCheckBox* box, bool on) {
    if (box->isChecked() == on) {
        return;
    }
    {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    couplerBoxChanged();
}

void Form1::showCouplingFilter() {
    const TwipsRect frame = twipsGeometry(c_.Frame4);
    const PanelPosition place =
        couplingFilterPlacement(kClientWidth, kClientHeight, frame.width, frame.height);
    moveInTwips(c_.Frame4, place.left, place.top);
    c_.Frame4->show();
    c_.Frame4->raise();
}

void Form1::checkAllCouplers(bool on) {
    for (std::size_t i = 1; i < couplerBoxes_.size(); ++i) {
        setBoxChecked(couplerBoxes_[i], on);
    }
}

void Form1::buildCouplerBoxes() {
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
        couplingFilterPlacement(kClientWidth, kClientHeight, frame.width, frame.height);
    moveInTwips(c_.Frame4, place.left, place.top);
}

void Form1::fillProviderCombos() {
    const std::vector<std::string> providers =
        lists_.providerList.empty() ? std::vector<std::string>() : splitAt(lists_.providerList, "|");
    for (QComboBox* combo : {c_.Combo5, c_.Combo6}) {
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
    for (QComboBox* combo : {c_.Combo5, c_.Combo6}) {
        if (combo->count() > 0) {
            selectItem(combo, 0);
        }
    }
}

void Form1::showUnitDetails(BrowserSide side) {
    QListWidget* list = panel(side).list;
    if (list->count() == 0) {
        return;
    }
    std::vector<std::string> items;
    for (int i = 0; i < list->count() && !finding(); ++i) {
        items.push_back(itemBytes(list->item(i)->data(kItemBytesRole), list->item(i)->text()));
    }
    QTreeWidget* view = form4_->listView();
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
    form4_->showAndRaise();
}

void Form1::openUnitFolder(QTreeWidgetItem* row) {
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

void Form1::openFolderInExplorer(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        services_.messages.warn(folder.filename().string() + "\r\n\r\nFolder does not exist.");
        return;
    }
    if (!services_.folders.open(folder)) {
        services_.messages.warn(folderNotOpenedMessage(folder));
    }
}

void Form1::restoreUnitWeight(const std::string& stored) {
    applyWeightChoice(restoredUnitWeight(stored));
}

void Form1::chooseUnitWeight(WeightMenuItem item) {
    applyWeightChoice(chosenUnitWeight(item));
    services_.settings.setValue("UnitMeasure", unitWeight_);
}

void Form1::applyWeightChoice(const UnitWeightChoice& choice) {
    const std::array<bool, 4> marks = checkMarks(choice.checkedItem);
    const std::array<QAction*, 4> items = {c_.mnuImperial, c_.mnuImperialTons2240, c_.mnuImperialTons2000,
                                           c_.mnuMetric};
    if (choice.checkedItem) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            items[i]->setChecked(marks[i]);
        }
    }
    unitWeight_ = choice.unitWeight;
}

void Form1::wireBrowser() {
    for (const BrowserSide side : {BrowserSide::Loco, BrowserSide::Wagon}) {
        const BrowserPanel p = panel(side);
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
    connect(form4_->listView(), &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* row) { openUnitFolder(row); });
    connect(c_.mnuImperial, &QAction::triggered, this,
            [this] { chooseUnitWeight(WeightMenuItem::Imperial); });
    connect(c_.mnuImperialTons2240, &QAction::triggered, this,
            [this] { chooseUnitWeight(WeightMenuItem::ImperialTons2240); });
    connect(c_.mnuImperialTons2000, &QAction::triggered, this,
            [this] { chooseUnitWeight(WeightMenuItem::ImperialTons2000); });
    connect(c_.mnuMetric, &QAction::triggered, this, [this] { chooseUnitWeight(WeightMenuItem::Metric); });
}

} // namespace dovrel
