// SPDX-License-Identifier: GPL-3.0-or-later
// The main window made: its controls built, its secondary windows, the consist editor, and the
// parts that keep their own state handed the controls, the services and the catalogue they work on.
#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "app/FormRestore.h"
#include "app/FormScanReport.h"

#include "app/InputFilters.h"
#include "app/SecondaryWindows.h"
#include "consist/ConsistEditor.h"
#include "widgets/ConsistStrip.h"
#include "widgets/Fonts.h"
#include "widgets/StripControls.h"
#include "widgets/WindowZoom.h"

#include <QAction>
#include <QComboBox>

namespace dovrel {

Form1::Form1(const Services& services)
    : services_(services), converter_(services.files, services.processes, services.converter,
                                      services.forwardConverterOutput, services.converterMode),
      busy_(this), form2_(std::make_unique<Form2>(registry_)), form3_(std::make_unique<Form3>(registry_)),
      form4_(std::make_unique<Form4>(registry_)),
      formRestore_(std::make_unique<FormRestore>(
          registry_, [this](const UserConsistBackup& backup) { files_->restoreUserConsists(backup); },
          [this](std::optional<std::filesystem::path> chosen) { files_->holdBackup(std::move(chosen)); })),
      formScanReport_(std::make_unique<FormScanReport>(registry_)) {
    setObjectName(QStringLiteral("Form1"));
    registry_.addWidget("Form1", this, ControlKind::Window);
    setDesignedFont(this, dialogFont());

    auto* client = new QWidget(this);
    client_ = client;
    client->setObjectName(QStringLiteral("Form1Client"));
    client->setFixedSize(twipsToPixels(kClientWidth, kActualSize), twipsToPixels(kClientHeight, kActualSize));
    setCentralWidget(client);
    Form1Layout(*this, client, registry_, c_).build();

    client->installEventFilter(this);
    keyState_ = new KeyStateFilter(this);
    busy_.filterBeforeOthers();
    comboLock_ = new ComboKeyLock(this);
    for (QComboBox* combo : {c_.Combo1, c_.Combo2, c_.Combo3, c_.Combo4, c_.Combo5, c_.Combo6}) {
        comboLock_->lock(combo);
    }
    for (QWidget* window : std::initializer_list<QWidget*>{this, form2_.get(), form3_.get(), form4_.get(),
                                                           formRestore_.get(), formScanReport_.get()}) {
        busy_.watch(window);
    }

    editor_ = std::make_unique<ConsistEditor>(services_.messages, static_cast<ConsistHost&>(*this));
    c_.strip->setLabels(&editor_->display().labels());
    registerStripElements(
        registry_, editor_->display().labels(), *c_.strip, [this](PressButton button, float x, float y) {
            line_->stripPressed(button == PressButton::Left ? 1 : button == PressButton::Right ? 2 : 4, x, y);
        });
    makeParts();
    wireCommands();
    // After the weight items' own handlers: the totals follow the weight unit chosen.
    line_->wireHistoryAndCouplerCheck();
    wireScanReport();
    wireZoom();
    wireKeyboard();
    nameControlsForScreenReaders();
    showConsistDisplay();
}

Form1::~Form1() = default;

void Form1::makeParts() {
    browser_ = std::make_unique<EquipmentBrowser>(
        c_, registry_, services_, catalogue_, lists_, folders_, unitWeight_, *form4_,
        EquipmentBrowser::Callbacks{
            [this] { updateCommandAvailability(); },
            [this](const SelectedUnitCouplers& couplers) { line_->showChosenCouplers(couplers); }});
    line_ = std::make_unique<ConsistLineCommands>(
        *this, c_, *editor_, busy_, *keyState_, unitWeight_,
        [this](BrowserSide side) { return browser_->listChoice(side); });
    files_ = std::make_unique<ConsistFileCommands>(
        c_, services_, converter_, catalogue_, folders_, busy_, *editor_, *formRestore_,
        ConsistFileCommands::Callbacks{
            [this](const std::function<void()>& command) { line_->runEditorStep(command); },
            [this] { updateCommandAvailability(); }});
    sharing_ = std::make_unique<ConsistSharingCommands>(
        c_, services_, catalogue_, *editor_,
        [this](const std::function<void()>& command) { line_->runEditorStep(command); });
}

} // namespace dovrel
