// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/BusyScope.h"
#include "app/ConsistFileCommands.h"
#include "app/ConsistLineCommands.h"
#include "app/ConsistSharingCommands.h"
#include "app/EquipmentBrowser.h"
#include "app/Form1Controls.h"
#include "app/GameFolders.h"
#include "app/Services.h"
#include "browser/WeightUnits.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/ScanObserver.h"
#include "catalogue/ScanReport.h"
#include "consist/ConsistHost.h"
#include "convert/ConverterRunner.h"
#include "widgets/NamedControls.h"

#include <QMainWindow>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace dovrel {

// The property of an added caption that lies on the window's bare surface: a left press on it is a
// click on the background, as on the surface around it.
inline constexpr const char* kOnSurface = "dovrelOnSurface";

class ComboKeyLock;
class ConsistEditor;
class KeyStateFilter;
class Form2;
class Form3;
class Form4;
class FormRestore;
class FormScanReport;
struct AssetScanReport;

// The main window: menus, the row of units, "Dada Rezavi", the two browsing panels, the consist
// list and the coupling filter. Form2 to Form4 are its secondary windows. It holds the game folders,
// the catalogue and the consist editor, and hands its controls over to the browsing panels
// (EquipmentBrowser), the consist line (ConsistLineCommands), the consist list and its files
// (ConsistFileCommands) and the shared consist files (ConsistSharingCommands); itself it keeps the
// start-up, the game folder and the scan, the menus of the window, its zoom and its keys.
class Form1 final : public QMainWindow, private ConsistHost, private ScanObserver {
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

    // Menu and window commands.
    void locateGameExe();
    void refreshEquipmentList();
    void chooseUnitWeight(WeightMenuItem item);
    void backgroundClick() { line_->backgroundClick(); }
    void showConsistDisplay() { line_->showConsistDisplay(); }
    KeyStateFilter& keyState() { return *keyState_; }
    int heldKeyCode() const;

    const GameFolders& folders() const { return folders_; }
    const std::string& unitWeight() const { return unitWeight_; }
    const Catalogue& catalogue() const override { return catalogue_; }
    std::vector<std::string> listedConsistRows() const { return files_->listedConsistRows(); }
    const std::vector<QCheckBox*>& couplerBoxes() const { return browser_->couplerBoxes(); }
    ConsistEditor& editor() { return *editor_; }
    EquipmentBrowser& browser() { return *browser_; }
    ConsistLineCommands& consistLine() { return *line_; }
    ConsistFileCommands& consistFiles() { return *files_; }
    const ConverterRunner& converter() const { return converter_; }
    BusyState& busyState() { return busy_; }
    const Services& services() const { return services_; }
    // The client area: every control of the window lies on it. It is the central widget, or, when
    // the window does not fit the screen, the widget the central scroll area scrolls.
    QWidget* clientArea() const { return client_; }

    const Form1Controls& controls() const { return c_; }
    NamedControls& namedControls() { return registry_; }
    Form2& about() { return *form2_; }
    Form3& tips() { return *form3_; }
    Form4& unitDetails() { return *form4_; }
    FormScanReport& scanReport() { return *formScanReport_; }

    // The client area's design size in twips.
    static constexpr float kClientWidth = kForm1ClientWidth;
    static constexpr float kClientHeight = kForm1ClientHeight;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // ConsistHost
    std::span<const std::string> couplerCaptions() const override { return browser_->couplerCaptions(); }
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

    // The parts of the window that keep their own state, made once the controls are built.
    void makeParts();
    void wireCommands();
    void applyCommandStates(const class CommandStates& states);
    void resetWindow();
    void restoreUnitWeight(const std::string& stored);
    void applyWeightChoice(const UnitWeightChoice& choice);
    std::filesystem::path tempFolder() const { return services_.programFolder / "Temp"; }
    std::filesystem::path cacheFile() const { return services_.programFolder / "equipmentlist.txt"; }

    // First start, keys, screen readers, the scan report and the zoom (Form1<Topic>.cpp).
    void fitIntoAvailableArea();
    void offerSteamGameFolders();
    std::filesystem::path locateStartFolder() const;
    QPoint clientScrollOffset() const;
    void wireKeyboard();
    void nameControlsForScreenReaders();
    void wireScanReport();
    ScanMessageMode scanMessageMode() const;
    void reportScanMessages(const AssetScanReport& report);
    void wireZoom();
    void applyStartZoom();
    void chooseZoom(int percent);
    void showAtZoom(int percent);

    Services services_;
    QWidget* client_ = nullptr;
    NamedControls registry_;
    Form1Controls c_;
    ConverterRunner converter_;
    BusyState busy_;
    KeyStateFilter* keyState_ = nullptr;
    ComboKeyLock* comboLock_ = nullptr;
    std::unique_ptr<ConsistEditor> editor_;
    GameFolders folders_;
    std::string unitWeight_;
    Catalogue catalogue_;
    CatalogueLists lists_;
    // Declared before the windows below, so gone only after them: the restore window calls back
    // into the consist files while it closes.
    std::unique_ptr<EquipmentBrowser> browser_;
    std::unique_ptr<ConsistLineCommands> line_;
    std::unique_ptr<ConsistFileCommands> files_;
    std::unique_ptr<ConsistSharingCommands> sharing_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form4> form4_;
    std::unique_ptr<FormRestore> formRestore_;
    std::unique_ptr<FormScanReport> formScanReport_;
    // When the running scan's progress bar was last redrawn.
    std::chrono::steady_clock::time_point scanBarDrawn_;
};

} // namespace dovrel
