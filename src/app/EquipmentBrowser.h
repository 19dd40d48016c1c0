// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CatalogueItemTexts.h"
#include "app/Form1Controls.h"
#include "app/GameFolders.h"
#include "app/Services.h"
#include "browser/BrowserSide.h"
#include "browser/CouplerCaptions.h"
#include "browser/CouplingFilterPanel.h"
#include "browser/FindNarrowing.h"
#include "browser/ListFilter.h"
#include "browser/UnitDetails.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLists.h"
#include "consist/UnitCommands.h"
#include "widgets/NamedControls.h"

#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QTreeWidgetItem;

namespace dovrel {

class Form4;
class ListRowsView;

// The two browsing panels of the main window (provider, product and class filters over the loco and
// the wagon list), find as you type over both lists, the coupling filter panel and the Details
// window of a panel's list. It reads the catalogue the window scanned and tells the window when
// the lists or their choice changed.
class EquipmentBrowser final : public QObject {
    Q_OBJECT

public:
    struct Callbacks {
        // The lists' items or their choice changed: the commands that depend on them are updated.
        std::function<void()> listsChanged;
        // A unit of a list was chosen: its coupler captions.
        std::function<void(const SelectedUnitCouplers&)> unitChosen;
    };
    EquipmentBrowser(const Form1Controls& controls, NamedControls& registry, const Services& services,
                     const Catalogue& catalogue, const CatalogueLists& lists, const GameFolders& folders,
                     const std::string& unitWeight, Form4& details, Callbacks callbacks);

    // Before a scan: the fixed class filters filled again, the find narrowing of the old catalogue dropped.
    void prepareForScan();
    // After a scan: the coupling filter's boxes and the providers of the new catalogue.
    void showCatalogue();
    // Both panels emptied, the coupling filter hidden (a new game folder or catalogue).
    void clear();

    // A list's chosen item as the unit commands read it.
    ListChoice listChoice(BrowserSide side) const;
    std::span<const std::string> couplerCaptions() const { return couplerCaptions_; }
    // The coupling filter's check boxes, element 0 (the template) first.
    const std::vector<QCheckBox*>& couplerBoxes() const { return couplerBoxes_; }
    // The coupling filter's title strip under the mouse, X and Y in the strip's twips.
    void filterTitlePressed(float x, float y);
    void filterTitleMoved(float x, float y);
    void filterTitleReleased(float x, float y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QComboBox* provider;
        QComboBox* product;
        QComboBox* unitClass;
        ListRowsView* list;
    };
    // What a panel's combo boxes and the coupling filter let into its list.
    struct PanelFilter {
        std::string provider;
        std::string product;
        std::string unitClass;
        std::vector<CouplerBox> boxes;
        ListFilterTexts texts() const { return {provider, product, unitClass}; }
    };
    const Panel& panel(BrowserSide side) const { return panels_[sideIndex(side)]; }
    PanelFilter panelFilter(BrowserSide side) const;
    // Shows items of catalogue records in a list (the texts made once per record), from its top.
    void showItems(BrowserSide side, FoundItemsPtr items);
    void wirePanels();
    void wireFind();
    // Selects a combo box item from code and runs its handler, as a user's choice would.
    void selectItem(QComboBox* combo, int index);
    void providerChosen(BrowserSide side);
    void productChosen(BrowserSide side);
    void rebuildList(BrowserSide side);
    void listClicked(BrowserSide side);
    void fillFixedFilters();
    void fillProviderCombos();

    // Find as you type.
    void openFindBar();
    void closeFindBar();
    bool finding() const;
    // The narrowing of the current catalogue and its names' list texts, made when first needed.
    FindNarrowing& narrowing();
    const std::shared_ptr<CatalogueItemTexts>& itemTexts();
    // The found unit a row of a list shows; null for the panels' own items.
    const FoundUnit* foundUnitAt(BrowserSide side, int row) const;
    // Refills a list with the items the find text narrows it to, unless its filters leave it as it is.
    void rebuildFoundList(BrowserSide side, const PanelFilter& filter);
    // The Details rows of a narrowed list: each item's own record, in list order.
    std::vector<DetailsRow> foundDetailsRows(BrowserSide side) const;

    // The coupling filter.
    void buildCouplerBoxes();
    void couplerBoxChanged();
    void setBoxChecked(QCheckBox* box, bool on);
    void checkAllCouplers(bool on);
    void showCouplingFilter();
    PanelPosition filterPanelPosition() const;
    void moveFilterPanel(const PanelPosition& position);
    bool titleStripMouse(QEvent* event);

    // Details.
    void showUnitDetails(BrowserSide side);
    void openUnitFolder(QTreeWidgetItem* row);
    void openFolderInExplorer(const std::filesystem::path& folder);

    const Form1Controls& c_;
    NamedControls& registry_;
    const Services& services_;
    const Catalogue& catalogue_;
    const CatalogueLists& lists_;
    const GameFolders& folders_;
    const std::string& unitWeight_;
    Form4& details_;
    Callbacks callbacks_;
    std::array<Panel, 2> panels_;
    // The records the lists' filters let through and find as you type over the catalogue, made at the
    // first list filled after a scan, and the list texts of the catalogue's names.
    std::optional<FindNarrowing> findNarrowing_;
    std::shared_ptr<CatalogueItemTexts> itemTexts_;
    // The found units each list shows, row by row; null while a list shows the panels' own items.
    std::array<FoundItemsPtr, 2> foundShown_;
    std::vector<QCheckBox*> couplerBoxes_;
    std::vector<std::string> couplerCaptions_;
    TitleStripDrag titleDrag_;
};

} // namespace dovrel
