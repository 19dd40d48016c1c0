// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/BusyScope.h"
#include "app/Services.h"
#include "browser/BrowserSide.h"
#include "browser/CouplingFilterPanel.h"
#include "browser/FindNarrowing.h"
#include "browser/ListFilter.h"
#include "browser/UnitDetails.h"
#include "browser/WeightUnits.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/ScanObserver.h"
#include "catalogue/ScanReport.h"
#include "consist/ConsistHost.h"
#include "consist/NavigationCommands.h"
#include "consist/UnitCommands.h"
#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadObserver.h"
#include "consistfiles/UserConsistBackups.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistSaver.h"
#include "convert/ConverterRunner.h"
#include "platform/WallClock.h"
#include "widgets/ConsistStrip.h"
#include "widgets/NamedControls.h"

#include <QMainWindow>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QShortcut;
class QTreeWidget;
class QTreeWidgetItem;

namespace dovrel {

// The property of an added caption that lies on the window's bare surface: a left press on it is a
// click on the background, as on the surface around it.
inline constexpr const char* kOnSurface = "dovrelOnSurface";

class ComboKeyLock;
class ConsistEditor;
class ConsistStrip;
class KeyStateFilter;
class Form2;
class Form3;
class Form4;
class FormRestore;
class FormScanReport;
struct AssetScanReport;
struct UserConsistBackup;

// The main window's controls, under the names the rest of the program uses.
struct Form1Controls {
    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuOpenVTUserConsists = nullptr;
    QAction* mnuOpenVTScenarioConsists = nullptr;
    QAction* mnuSaveConsistToVTUserConsists = nullptr;
    QAction* mnuRestoreUserConsists = nullptr;
    QAction* mnuNewConsist = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuPreferences = nullptr;
    QAction* mnuLocateGameEXE = nullptr;
    QMenu* mnuUnitWeight = nullptr;
    QAction* mnuImperial = nullptr;
    QAction* mnuImperialTons2240 = nullptr;
    QAction* mnuImperialTons2000 = nullptr;
    QAction* mnuMetric = nullptr;
    QAction* mnuRefreshEquipmentList = nullptr;
    QAction* mnuDeleteConsist = nullptr;
    QAction* mnuFindUnit = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuTips = nullptr;

    // The row above the units.
    QLineEdit* Text1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* butHead = nullptr;
    QPushButton* butTail = nullptr;
    QPushButton* butCouplingFilter = nullptr;
    ConsistStrip* strip = nullptr;
    QLabel* Image1 = nullptr;

    // "Dada Rezavi".
    QGroupBox* Frame3 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QPushButton* butAddLocoLeft = nullptr;
    QPushButton* butAddLocoRight = nullptr;
    QPushButton* butReplaceLoco = nullptr;
    QPushButton* butShiftUnitLeft = nullptr;
    QPushButton* butMirrorConsist = nullptr;
    QPushButton* butToSelected = nullptr;
    QPushButton* butDeleteUnitRight = nullptr;
    QPushButton* butDeleteUnitLeft = nullptr;
    QPushButton* butReverseUnit = nullptr;
    QPushButton* butReverseAll = nullptr;
    QPushButton* butAddWagonLeft = nullptr;
    QPushButton* butAddWagonRight = nullptr;
    QPushButton* butReplaceWagon = nullptr;
    QPushButton* butShiftUnitRight = nullptr;
    QPushButton* butNewConsist = nullptr;

    // The browsing panels.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* Combo5 = nullptr;
    QComboBox* Combo6 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QPushButton* butDisplayLoco = nullptr;
    QPushButton* butDisplayWagon = nullptr;

    // The consist list.
    QLabel* Label7 = nullptr;
    QListWidget* List3 = nullptr;
    QLabel* Label22 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* butView = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;

    // The coupling filter.
    QFrame* Frame4 = nullptr;
    QLabel* Label21 = nullptr;
    QPushButton* butExitFilter2 = nullptr;
    QPushButton* butCheckAll = nullptr;
    QPushButton* butCheckNone = nullptr;
    QCheckBox* chkCoupler0 = nullptr;

    // Additions: Undo and Redo, the totals caption, the coupler check.
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuNextCouplerMismatch = nullptr;
    QLabel* lblConsistTotals = nullptr;
    // The find bar, shared by the two lists.
    QFrame* findBar = nullptr;
    QLineEdit* txtFindUnit = nullptr;
    QShortcut* findEscape = nullptr; // Esc, while the bar is shown
    // The scan progress bar, shown only while the assets are scanned.
    QProgressBar* prgScan = nullptr;
    // Edit > Preferences: the scan's messages kept for one report instead of a box for each.
    QAction* mnuCollectScanMessages = nullptr;
    // The View menu, between Edit and About: the zoom of every window.
    QMenu* mnuView = nullptr;
    QAction* mnuZoomIn = nullptr;
    QAction* mnuZoomOut = nullptr;
    QAction* mnuZoomReset = nullptr;
};

// The folders of the game installation, set by a successful check of each.
struct GameFolders {
    std::filesystem::path gameFolder;
    std::filesystem::path contentFolder;
    std::filesystem::path routesFolder;
    std::filesystem::path assetsFolder;
};

// The main window: menus, the row of units, "Dada Rezavi", the two browsing panels, the consist
// list and the coupling filter. Form2 to Form4 are its secondary windows. It owns all the
// program's state and works through the services it is given.
class Form1 final : public QMainWindow,
                    private ConsistHost,
                    private ScanObserver,
                    private ConsistReadObserver,
                    private SaveObserver,
                    private DeleteObserver {
    Q_OBJECT

public:
    explicit Form1(const Services& services);
    ~Form1() override;

    // Start-up steps 2 to 7, before the window is shown. Returns the exit code when the program
    // must end (after its message), nothing when it goes on.
    std::optional<int> startBeforeShow();
    // Start-up steps 8 and 9, from the first turn of the event loop.
    void startAfterShow();

    // The game folder check with its resets: 0 when the folder is usable, else 999.
    int ValidateGameFolder();
    void AssetScan();
    void updateCommandAvailability() override;

    // The consist list and the user-consist file.
    void readUserConsists();
    void readScenarioConsists();
    void showListedConsist();
    void viewListedConsist();
    void saveConsist();
    void deleteConsist();

    // Menu and window commands.
    void locateGameExe();
    void refreshEquipmentList();
    void chooseUnitWeight(WeightMenuItem item);
    void backgroundClick();
    // A mouse press on the row of units at window client twips: 1 left, 2 right, 4 middle.
    void stripPressed(int buttonCode, float x, float y);
    // Whatever the consist editor changed, shown in the strip and the panel's boxes.
    void showConsistDisplay();
    // A user command on the consist line as one step of the history: the name typed so far taken
    // into the panel, the command run between beginStep() and endStep(), and what it changed shown.
    void runEditorStep(const std::function<void()>& command);
    KeyStateFilter& keyState() { return *keyState_; }
    // The coupling filter's title strip under the mouse, X and Y in the strip's twips.
    void filterTitlePressed(float x, float y);
    void filterTitleMoved(float x, float y);
    void filterTitleReleased(float x, float y);

    const GameFolders& folders() const { return folders_; }
    const std::string& unitWeight() const { return unitWeight_; }
    const Catalogue& catalogue() const override { return catalogue_; }
    // One entry per row of the consist list: the listed consist shown in that row.
    std::vector<std::string> listedConsistRows() const;
    const CatalogueLists& catalogueLists() const { return lists_; }
    ConsistEditor& editor() { return *editor_; }
    const ConverterRunner& converter() const { return converter_; }
    BusyState& busyState() { return busy_; }
    int heldKeyCode() const;
    const Services& services() const { return services_; }
    // The client area: every control of the window lies on it. It is the central widget, or, when
    // the window does not fit the screen, the widget the central scroll area scrolls.
    QWidget* clientArea() const { return client_; }
    // The coupling filter's check boxes, element 0 (the template) first.
    const std::vector<QCheckBox*>& couplerBoxes() const { return couplerBoxes_; }

    const Form1Controls& controls() const { return c_; }
    NamedControls& namedControls() { return registry_; }
    Form2& about() { return *form2_; }
    Form3& tips() { return *form3_; }
    Form4& unitDetails() { return *form4_; }
    FormScanReport& scanReport() { return *formScanReport_; }

    // The client area's design size in twips.
    static constexpr float kClientWidth = 13815.0f;
    static constexpr float kClientHeight = 10080.0f;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // ConsistHost
    std::span<const std::string> couplerCaptions() const override { return couplerCaptions_; }
    void disableCommands(std::span<const std::string_view> controls) override;
    float windowLeftTwips() const override;
    float windowTopTwips() const override;
    void movePointer(PixelPoint point) override;
    int zoomPercent() const override;
    // ScanObserver
    void showWaitCursor() override;
    void restoreCursor() override;
    void showProgress(const std::string& caption) override;
    void showBlueprintsDone(int done, int found, std::chrono::milliseconds scanTime) override;
    void clearProgress() override;

    // ConsistReadObserver, SaveObserver, DeleteObserver
    void listReset() override;
    void rowListed(const ConsistRow& row) override;
    void progressShown(const std::string& caption) override;
    void busyPointerShown(bool busy) override;
    void nameTrimmed(const std::string& name) override;
    void consistSaved(const std::string& name) override;
    void consistDeleted() override;
    void lastConsistDeleted() override;
    void finishConsistRead(const ConsistReadResult& result, std::string_view heading, bool userConsists);
    std::optional<std::string> chosenRowText() const;
    // The chosen row of the consist list: its place and its text.
    std::optional<ListedRow> chosenListedRow() const;
    // Selects a row of the consist list from code and shows its consist.
    void selectRow(int row);
    bool userConsistsOnShow() const;
    void wireConsistFiles();
    void openRestoreWindow();
    void restoreUserConsists(const UserConsistBackup& backup);
    // Lists the copies anew in an open restore window once a copy was added or pruned.
    void refreshRestoreWindow();

    void wireCommands();
    void applyCommandStates(const class CommandStates& states);
    void resetWindow();
    void fillFixedFilters();
    void buildCouplerBoxes();
    void fillProviderCombos();
    void restoreUnitWeight(const std::string& stored);
    void applyWeightChoice(const UnitWeightChoice& choice);

    // The browsing panels.
    struct BrowserPanel {
        QComboBox* provider;
        QComboBox* product;
        QComboBox* unitClass;
        QListWidget* list;
    };
    BrowserPanel panel(BrowserSide side) const;
    void wireBrowser();
    // Selects a combo box item from code and runs its handler, as a user's choice would.
    void selectItem(QComboBox* combo, int index);
    void providerChosen(BrowserSide side);
    void productChosen(BrowserSide side);
    void rebuildList(BrowserSide side);
    void listClicked(BrowserSide side);
    // Find as you type (Form1Find.cpp).
    void buildFindBar(QWidget* client);
    void wireFind();
    void openFindBar();
    void closeFindBar();
    bool finding() const;
    // The narrowing of the current catalogue, made when first needed.
    FindNarrowing& narrowing();
    // The found unit a row of List1 or List2 shows; null for the panels' own items.
    const FoundUnit* foundUnitAt(const QListWidget* list, int row) const;
    // Refills a list with the items the find text narrows it to; false when the list stays as it is.
    bool rebuildFoundList(BrowserSide side, const ListFilterTexts& texts, std::span<const CouplerBox> boxes);
    // A list's chosen item as the unit commands read it.
    ListChoice listChoice(const QListWidget* list) const;
    // The Details rows of a narrowed list: each item's own record, in list order.
    std::vector<DetailsRow> foundDetailsRows(BrowserSide side) const;
    void couplerBoxChanged();
    void setBoxChecked(QCheckBox* box, bool on);
    void checkAllCouplers(bool on);
    void showCouplingFilter();
    PanelPosition filterPanelPosition() const;
    void moveFilterPanel(const PanelPosition& position);
    void showUnitDetails(BrowserSide side);
    void openUnitFolder(QTreeWidgetItem* row);
    void openFolderInExplorer(const std::filesystem::path& folder);
    std::filesystem::path tempFolder() const { return services_.programFolder / "Temp"; }
    std::filesystem::path cacheFile() const { return services_.programFolder / "equipmentlist.txt"; }

    void buildMenus();
    void buildTopRow(QWidget* client);
    void buildEditorFrame(QWidget* client);
    void buildBrowserPanel(QWidget* client, bool locoSide);
    void buildConsistList(QWidget* client);
    void buildCouplingFilter(QWidget* client);
    void registerMenu(QAction* action, const char* name, ControlKind kind);

    // First start (Form1FirstStart.cpp).
    // Where the client area does not fit the screen's available area, it is put into a scroll area
    // and the window is sized to that area; where it fits, it is the central widget itself.
    void fitIntoAvailableArea();
    // With no game folder set, offers each game installation found in the user's Steam libraries
    // in turn; the one accepted is stored as "GameFolder" as Locate Game .EXE stores it.
    void offerSteamGameFolders();
    // Where Locate Game .EXE opens its dialog: the stored game folder, else the first Steam
    // library's games folder, else the home folder.
    std::filesystem::path locateStartFolder() const;
    // How far the scroll area has moved the client area, in pixels (0, 0 without one).
    QPoint clientScrollOffset() const;

    // Additions to the main window (Form1Additions.cpp).
    void buildAdditions(QWidget* client);
    void wireAdditions();
    // What the additions show after any change of the consist line, the view or the weight unit.
    void showAdditions();
    // Undo or Redo of one step of the consist line.
    void stepThroughHistory(bool (ConsistEditor::*step)());
    void selectNextCouplerMismatch();
    // The keyboard (Form1Keyboard.cpp): the consist line's keys, the menu shortcuts and Ctrl+D.
    void wireKeyboard();
    void stripKeyPressed(StripKey key);
    // Selects a unit as a left click on it would, the view brought onto it when it is out of sight.
    void selectUnitByKey(SelectionStep step);
    // Names for screen readers (Form1ScreenReaders.cpp): what each control is, and what the consist
    // line has selected.
    void nameControlsForScreenReaders();
    void announceSelection();
    // Collect Scan Messages and the scan report (Form1ScanReport.cpp).
    void buildScanReport();
    void wireScanReport();
    ScanMessageMode scanMessageMode() const;
    // After a scan that collected its messages: the report window and scanreport.txt.
    void reportScanMessages(const AssetScanReport& report);

    // The View menu's zoom (Form1Zoom.cpp).
    void buildViewMenu();
    void wireZoom();
    // The zoom the start shows: the stored one, else the desktop font's.
    void applyStartZoom();
    // A zoom chosen in the View menu: stored, shown, and the window sized to it.
    void chooseZoom(int percent);
    // Shows the main window and its secondary windows at a zoom.
    void showAtZoom(int percent);

    Services services_;
    QWidget* client_ = nullptr;
    NamedControls registry_;
    Form1Controls c_;
    ConverterRunner converter_;
    SystemClock clock_;
    UserConsistBackups backups_;
    ConsistFileServices fileServices_;
    ConsistListing listing_;
    BusyState busy_;
    KeyStateFilter* keyState_ = nullptr;
    ComboKeyLock* comboLock_ = nullptr;
    std::unique_ptr<ConsistEditor> editor_;
    GameFolders folders_;
    std::string unitWeight_;
    Catalogue catalogue_;
    CatalogueLists lists_;
    // Find as you type over catalogue_, made at the first key typed after a scan.
    std::optional<FindNarrowing> findNarrowing_;
    // The found units List1 and List2 show, row by row; empty while a list shows the panels' own items.
    std::array<std::vector<FoundUnit>, 2> foundShown_;
    std::vector<QCheckBox*> couplerBoxes_;
    std::vector<std::string> couplerCaptions_;
    TitleStripDrag titleDrag_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form4> form4_;
    std::unique_ptr<FormRestore> formRestore_;
    // A copy was added or pruned since the restore window was last filled.
    bool backupsChanged_ = false;
    std::unique_ptr<FormScanReport> formScanReport_;
    // What the totals caption and the gap marks were last computed from.
    struct AdditionsSource {
        std::uint64_t lineRevision = ~std::uint64_t{0};
        std::string unitWeight;
    } additions_;
    // When the running scan's progress bar was last redrawn.
    std::chrono::steady_clock::time_point scanBarDrawn_;
};

} // namespace dovrel
