// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's life: start-up, the game folder, the catalogue, closing, and the services the
// consist editor asks of it.
#include "app/Form1.h"

#include "app/FormRestore.h"
#include "app/InputFilters.h"
#include "app/SecondaryWindows.h"
#include "browser/WeightUnits.h"
#include "catalogue/AssetScan.h"
#include "catalogue/ScanProgressText.h"
#include "consist/CommandStates.h"
#include "consist/ConsistEditor.h"
#include "convert/ConverterLocation.h"
#include "core/GameFolderLayout.h"
#include "core/NameResolver.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ConsistStrip.h"
#include "widgets/ControlText.h"
#include "widgets/ListRowsView.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string folderMissingMessage(const char* folder) {
    return std::string("Folder path to ") + folder + " not found.\r\n\r\nCheck game folder path.";
}
} // namespace

std::optional<int> Form1::startBeforeShow() {
    setWindowTitle(QStringLiteral("Dovrel Consist Editor  v%1 build %2")
                       .arg(DOVREL_VERSION_MAJOR)
                       .arg(DOVREL_BUILD_NUMBER));

    if (services_.screen.width < 1024 || services_.screen.height < 768) {
        services_.messages.fail("Program requires a screen resolution of 1024 x 768 or greater.Terminating.");
        return 1;
    }
    applyStartZoom();
    fitIntoAvailableArea();

    std::error_code ignored;
    fs::create_directory(tempFolder(), ignored);

    folders_.gameFolder = services_.settings.value(kGameFolderKey).value_or(std::string());

    if (!isExecutableFile(services_.converter)) {
        services_.messages.fail(converterMissingMessage(services_.converter));
        return 1;
    }

    restoreUnitWeight(services_.settings.value(kUnitMeasureKey).value_or(std::string()));
    return std::nullopt;
}

void Form1::startAfterShow() {
    const BusyScope busy(busy_);
    if (folders_.gameFolder.empty()) {
        offerSteamGameFolders();
    }
    if (ValidateGameFolder() == 999) {
        return;
    }
    AssetScan();
    updateCommandAvailability();
}

void Form1::resetWindow() {
    editor_->clearConsistLine();
    editor_->history().clear(); // a new game folder or a new catalogue: nothing to take back
    editor_->display().forgetPickedRecords();
    c_.ListView1->clear();
    c_.List3->clear();
    browser_->clear();
    for (QLabel* label : {c_.Label7, c_.Label22, c_.Label8, c_.Label11, c_.Label25, c_.Label6}) {
        setCaption(label, "");
    }
    showConsistDisplay();
    applyCommandStates(disableAllCommands());
    // Kept copies can be put back only into a game folder that holds its content folder.
    c_.mnuRestoreUserConsists->setEnabled(false);
    // Its copies were those of the game folder before.
    formRestore_->hide();
}

int Form1::ValidateGameFolder() {
    resetWindow();

    const GameFolderLayout layout = checkGameFolderLayout(folders_.gameFolder);
    // Each folder value changes only when its own check passes.
    for (const auto& [found, value] : {std::pair(&layout.contentFolder, &folders_.contentFolder),
                                       std::pair(&layout.routesFolder, &folders_.routesFolder),
                                       std::pair(&layout.assetsFolder, &folders_.assetsFolder)}) {
        if (!found->empty()) {
            *value = *found;
        }
    }
    switch (layout.lack) {
    case GameFolderLack::FolderPath:
        services_.messages.inform("Important!\r\n\r\nSet up game folder path in Edit|Preferences.");
        return 999;
    case GameFolderLack::GameFolder:
        services_.messages.warn(folders_.gameFolder.string() +
                                "\r\n\r\nFolder path to game not found.\r\n\r\nSet up game folder path in "
                                "Edit|Preferences.");
        return 999;
    case GameFolderLack::Content:
        services_.messages.warn(folderMissingMessage("\\Content"));
        return 999;
    case GameFolderLack::Routes:
        services_.messages.warn(folderMissingMessage("\\Content\\Routes"));
        return 999;
    case GameFolderLack::Assets:
        services_.messages.warn(folderMissingMessage("\\Assets"));
        return 999;
    case GameFolderLack::Nothing:
        break;
    }
    const fs::path& content = folders_.contentFolder;
    c_.mnuRestoreUserConsists->setEnabled(true);
    if (const auto templates = resolveName(content, "ConsistTemplates.bin");
        templates && isFile(*templates)) {
        c_.mnuOpenVTUserConsists->setEnabled(true);
    }
    return 0;
}

void Form1::locateGameExe() {
    if (!editor_->confirmAbandonConsist()) {
        return;
    }
    const std::optional<fs::path> chosen = services_.fileDialogs.openFile(
        "Locate Vantor Game File (Vantor.exe)", locateStartFolder(), "Executable files (*.exe)|*.exe");
    if (!chosen || chosen->empty()) {
        updateCommandAvailability();
        return;
    }
    const fs::path folder = chosen->parent_path();
    if (folder.empty()) {
        updateCommandAvailability();
        return;
    }
    services_.settings.setValue(kGameFolderKey, folder.string());
    folders_.gameFolder = folder;

    const BusyScope busy(busy_);
    if (ValidateGameFolder() != 999) {
        AssetScan();
        updateCommandAvailability();
    }
}

void Form1::refreshEquipmentList() {
    if (!editor_->confirmAbandonConsist()) {
        return;
    }
    const BusyScope busy(busy_);
    if (ValidateGameFolder() == 999) {
        return;
    }
    services_.files.remove(cacheFile());
    AssetScan();
    updateCommandAvailability();
}

void Form1::AssetScan() {
    browser_->prepareForScan();
    dovrel::AssetScan scan(services_.files, converter_, services_.events, services_.messages,
                           static_cast<ScanObserver&>(*this));
    const ScanMessageMode mode = scanMessageMode();
    const AssetScanReport report =
        scan.run({folders_.assetsFolder, services_.programFolder, tempFolder()}, catalogue_, mode);
    lists_ = report.lists;
    if (!report.cacheWrite.status.ok) {
        // The catalogue stays usable for this run; without its cache the next start scans again.
        services_.messages.warn(fileNotWrittenText(report.cacheWrite.file, report.cacheWrite.status));
    }
    browser_->showCatalogue();
    if (!report.loadedFromCache && mode == ScanMessageMode::Collect) {
        reportScanMessages(report);
    }
}

int Form1::heldKeyCode() const {
    return keyState_->heldKeyCode();
}

void Form1::updateCommandAvailability() {
    CommandInputs inputs;
    inputs.unitCount = editor_->line().unitCount();
    inputs.selectedIndex = editor_->line().selectedIndex();
    inputs.locoEntryChosen = c_.List1->chosenRow() >= 0;
    inputs.wagonEntryChosen = c_.List2->chosenRow() >= 0;
    inputs.locoEntryCount = c_.List1->count();
    inputs.wagonEntryCount = c_.List2->count();
    inputs.listedConsistCount = c_.List3->count();
    inputs.viewScrollEnabled = c_.HScroll2->isEnabled();
    applyCommandStates(computeCommandStates(inputs));
}

void Form1::applyCommandStates(const CommandStates& states) {
    for (const CommandState& state : states.inOrder()) {
        NamedControl* control = registry_.find(std::string(state.control));
        if (control == nullptr) {
            continue;
        }
        if (QAction* item = control->action()) {
            item->setEnabled(state.enabled);
        } else if (QWidget* widget = control->widget()) {
            widget->setEnabled(state.enabled);
        }
    }
}

void Form1::disableCommands(std::span<const std::string_view> controls) {
    std::vector<CommandState> off;
    for (const std::string_view control : controls) {
        off.push_back({control, false});
    }
    applyCommandStates(CommandStates(std::move(off)));
}

float Form1::windowLeftTwips() const {
    return pixelsToTwips(frameGeometry().x() + clientScrollOffset().x(), kActualSize);
}

float Form1::windowTopTwips() const {
    return pixelsToTwips(frameGeometry().y() + clientScrollOffset().y(), kActualSize);
}

void Form1::movePointer(PixelPoint point) {
    services_.pointer.moveTo(point.x, point.y);
}

void Form1::showWaitCursor() {
    services_.waitCursor.show();
}

void Form1::restoreCursor() {
    services_.waitCursor.restore();
}

void Form1::showProgress(const std::string& caption) {
    setCaption(c_.Label8, caption);
}

void Form1::showBlueprintsDone(int done, int found, std::chrono::milliseconds scanTime) {
    const auto now = std::chrono::steady_clock::now();
    if (!scanBarRedrawDue(done, now - scanBarDrawn_)) {
        return;
    }
    if (done == 0) {
        c_.prgScan->show();
        c_.prgScan->raise();
    }
    scanBarDrawn_ = now;
    c_.prgScan->setRange(0, std::max(found, 1));
    c_.prgScan->setFormat(displayText(scanProgressText(done, found, scanTime)));
    c_.prgScan->setValue(done);
}

void Form1::clearProgress() {
    setCaption(c_.Label8, "");
    c_.prgScan->hide();
}

void Form1::wireCommands() {
    connect(c_.mnuAbout, &QAction::triggered, this, [this] { form2_->showAndRaise(); });
    connect(c_.mnuTips, &QAction::triggered, this, [this] { form3_->showAndRaise(); });
    connect(c_.mnuExit, &QAction::triggered, this, [this] { close(); });
    connect(c_.mnuLocateGameEXE, &QAction::triggered, this, [this] { locateGameExe(); });
    connect(c_.mnuRefreshEquipmentList, &QAction::triggered, this, [this] { refreshEquipmentList(); });

    connect(c_.mnuImperial, &QAction::triggered, this,
            [this] { chooseUnitWeight(WeightMenuItem::Imperial); });
    connect(c_.mnuImperialTons2240, &QAction::triggered, this,
            [this] { chooseUnitWeight(WeightMenuItem::ImperialTons2240); });
    connect(c_.mnuImperialTons2000, &QAction::triggered, this,
            [this] { chooseUnitWeight(WeightMenuItem::ImperialTons2000); });
    connect(c_.mnuMetric, &QAction::triggered, this, [this] { chooseUnitWeight(WeightMenuItem::Metric); });
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

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // A press that a control leaves unhandled travels up to the client area too; only a press on
    // the bare surface, with no control under the pointer, is a click on the background. A caption
    // marked as lying on the surface (kOnSurface) counts as surface.
    if (watched == client_ && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QWidget* under = client_->childAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && (under == nullptr || under->property(kOnSurface).toBool())) {
            line_->backgroundClick();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (busy_.busy()) {
        busy_.rememberCloseRequest([this] { close(); });
        event->ignore();
        return;
    }
    if (!editor_->confirmAbandonConsist()) {
        event->ignore();
        return;
    }
    event->accept();
    for (QWidget* window : std::initializer_list<QWidget*>{form2_.get(), form3_.get(), form4_.get()}) {
        window->close();
    }
    QApplication::quit();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isMinimized()) {
        moveInTwips(c_.Image1, -100, twipsGeometry(c_.Image1).top);
    }
}

} // namespace dovrel
