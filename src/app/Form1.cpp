// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"
#include "app/FormRestore.h"
#include "app/FormScanReport.h"

#include "app/InputFilters.h"
#include "app/SecondaryWindows.h"
#include "consist/ConsistEditor.h"
#include "widgets/ConsistStrip.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"
#include "widgets/Fonts.h"
#include "widgets/StripControls.h"
#include "widgets/TabStopDelegate.h"
#include "widgets/WindowZoom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>

namespace dovrel {

namespace {
// Colours as the window system stores them: blue, green, red from the high byte down.
QColor storedColour(unsigned value) {
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

void paintLabel(QLabel* label, const QColor& text, const QColor& background) {
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
}

constexpr unsigned kDarkGrey = 0x00606060;
constexpr unsigned kCouplingBlue = 0x00DB5D24;

struct EditorButton {
    QPushButton* Form1Controls::*member;
    const char* name;
    const char* caption;
    float left;
    float top;
};
} // namespace

Form1::Form1(const Services& services)
    : services_(services), converter_(services.files, services.processes, services.converter,
                                      services.forwardConverterOutput, services.converterMode),
      backups_(services.files, clock_, services.programFolder),
      fileServices_{services_.files,    converter_, services_.events,
                    services_.messages, backups_,   services_.programFolder},
      busy_(this), form2_(std::make_unique<Form2>(registry_)), form3_(std::make_unique<Form3>(registry_)),
      form4_(std::make_unique<Form4>(registry_)),
      formRestore_(std::make_unique<FormRestore>(
          registry_, [this](const UserConsistBackup& backup) { restoreUserConsists(backup); },
          [this](std::optional<std::filesystem::path> chosen) { backups_.hold(std::move(chosen)); })),
      formScanReport_(std::make_unique<FormScanReport>(registry_)) {
    backups_.whenChanged([this] { backupsChanged_ = true; });
    setObjectName(QStringLiteral("Form1"));
    registry_.addWidget("Form1", this, ControlKind::Window);
    setDesignedFont(this, dialogFont());

    auto* client = new QWidget(this);
    client_ = client;
    client->setObjectName(QStringLiteral("Form1Client"));
    client->setFixedSize(twipsToPixels(kClientWidth, kActualSize), twipsToPixels(kClientHeight, kActualSize));
    setCentralWidget(client);

    buildMenus();
    buildTopRow(client);
    buildEditorFrame(client);
    buildBrowserPanel(client, true);
    buildBrowserPanel(client, false);
    buildConsistList(client);
    buildCouplingFilter(client);
    buildAdditions(client);
    buildFindBar(client);
    buildScanReport();
    buildViewMenu();

    client->installEventFilter(this);
    c_.Label21->installEventFilter(this);
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
    couplerBoxes_.push_back(c_.chkCoupler0);

    editor_ = std::make_unique<ConsistEditor>(services_.messages, static_cast<ConsistHost&>(*this));
    c_.strip->setLabels(&editor_->display().labels());
    registerStripElements(
        registry_, editor_->display().labels(), *c_.strip, [this](PressButton button, float x, float y) {
            stripPressed(button == PressButton::Left ? 1 : button == PressButton::Right ? 2 : 4, x, y);
        });
    wireCommands();
    wireBrowser();
    wireFind();
    wireConsistFiles();
    wireAdditions();
    wireScanReport();
    wireZoom();
    wireKeyboard();
    nameControlsForScreenReaders();
    showConsistDisplay();
}

Form1::~Form1() = default;

void Form1::registerMenu(QAction* action, const char* name, ControlKind kind) {
    action->setObjectName(QString::fromLatin1(name));
    registry_.addMenu(name, action, kind);
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    const auto addMenu = [this](auto* parent, const char* name, const char* caption) {
        QMenu* menu = parent->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        setCaption(menu->menuAction(), caption);
        registerMenu(menu->menuAction(), name, ControlKind::Menu);
        return menu;
    };
    const auto addItem = [this](auto* parent, const char* name, const char* caption) {
        QAction* action = parent->addAction(QString());
        setCaption(action, caption);
        registerMenu(action, name, ControlKind::MenuItem);
        return action;
    };

    c_.mnuFile = addMenu(bar, "mnuFile", "&File");
    c_.mnuOpenVTUserConsists = addItem(c_.mnuFile, "mnuOpenVTUserConsists", "Open VT User Consists");
    c_.mnuOpenVTScenarioConsists =
        addItem(c_.mnuFile, "mnuOpenVTScenarioConsists", "Open VT Scenario Consists");
    c_.mnuFile->addSeparator();
    c_.mnuSaveConsistToVTUserConsists =
        addItem(c_.mnuFile, "mnuSaveConsistToVTUserConsists", "Save Consist To VT User Consists");
    c_.mnuRestoreUserConsists = addItem(c_.mnuFile, "mnuRestoreUserConsists", "Restore User Consists...");
    c_.mnuFile->addSeparator();
    c_.mnuNewConsist = addItem(c_.mnuFile, "mnuNewConsist", "New Consist");
    c_.mnuFile->addSeparator();
    c_.mnuExit = addItem(c_.mnuFile, "mnuExit", "Exit");

    c_.mnuEdit = addMenu(bar, "mnuEdit", "&Edit");
    c_.mnuPreferences = addMenu(c_.mnuEdit, "mnuPreferences", "Preferences");
    c_.mnuLocateGameEXE = addItem(c_.mnuPreferences, "mnuLocateGameEXE", "Locate Game .EXE");
    c_.mnuUnitWeight = addMenu(c_.mnuPreferences, "mnuUnitWeight", "Unit Weight");
    c_.mnuImperial = addItem(c_.mnuUnitWeight, "mnuImperial", "Imperial (pounds)");
    c_.mnuImperialTons2240 =
        addItem(c_.mnuUnitWeight, "mnuImperialTons2240", "Imperial (imperial tons\xC2\xB9 [2240])");
    c_.mnuImperialTons2000 =
        addItem(c_.mnuUnitWeight, "mnuImperialTons2000", "Imperial (short tons\xC2\xB2 [2000])");
    c_.mnuMetric = addItem(c_.mnuUnitWeight, "mnuMetric", "Metric (kilograms)");
    for (QAction* weight : {c_.mnuImperial, c_.mnuImperialTons2240, c_.mnuImperialTons2000, c_.mnuMetric}) {
        weight->setCheckable(true);
    }
    c_.mnuEdit->addSeparator();
    c_.mnuRefreshEquipmentList = addItem(c_.mnuEdit, "mnuRefreshEquipmentList", "Refresh Equipment List");
    c_.mnuEdit->addSeparator();
    c_.mnuDeleteConsist = addItem(c_.mnuEdit, "mnuDeleteConsist", "Delete Selected User Consist");

    c_.mnuAbout = addItem(bar, "mnuAbout", "About");
    c_.mnuTips = addItem(bar, "mnuTips", "Tips");
}

void Form1::buildTopRow(QWidget* client) {
    ControlFactory make(registry_);
    c_.Image1 = make.make<QLabel>(client, "Image1", ControlKind::Picture, {0, 0, 0, 0});

    c_.butCouplingFilter = make.make<QPushButton>(client, "butCouplingFilter", ControlKind::Button,
                                                  {120, 360, 1455, 285}, "Show Filter");

    auto* nameCaption = make.make<QLabel>(client, "Label4", ControlKind::Label, {1800, 120, 4095, 255},
                                          " Consist Name  (used for save)");
    paintLabel(nameCaption, Qt::white, storedColour(kDarkGrey));
    c_.Text1 = make.make<QLineEdit>(client, "Text1", ControlKind::TextBox, {1800, 360, 4095, 285});
    setDesignedFont(c_.Text1, lucidaConsole());

    auto* unitsCaption =
        make.make<QLabel>(client, "Label5", ControlKind::Label, {6600, 120, 615, 255}, "Units");
    paintLabel(unitsCaption, Qt::white, storedColour(kDarkGrey));
    c_.Label10 = make.make<QLabel>(client, "Label10", ControlKind::Label, {6600, 360, 615, 375});
    setDesignedFont(c_.Label10, requestedFont(QStringLiteral("Arial"), 14.25, true));
    c_.Label10->setAlignment(Qt::AlignCenter);
    paintLabel(c_.Label10, Qt::white, storedColour(kDarkGrey));

    auto* couplingCaption = make.make<QLabel>(client, "Label9", ControlKind::Label, {7920, 120, 5175, 255},
                                              " Coupling Type For Selected Unit (front/rear)");
    paintLabel(couplingCaption, Qt::white, storedColour(kCouplingBlue));
    c_.Label25 = make.make<QLabel>(client, "Label25", ControlKind::Label, {7920, 360, 2535, 255});
    c_.Label6 = make.make<QLabel>(client, "Label6", ControlKind::Label, {10560, 360, 2535, 255});
    for (QLabel* coupling : {c_.Label25, c_.Label6}) {
        coupling->setFrameShape(QFrame::Panel);
        coupling->setFrameShadow(QFrame::Sunken);
    }

    c_.butHead =
        make.make<QPushButton>(client, "butHead", ControlKind::Button, {120, 720, 855, 255}, "TO HEAD");
    c_.butTail =
        make.make<QPushButton>(client, "butTail", ControlKind::Button, {12840, 720, 855, 255}, "TO TAIL");
    for (QPushButton* end : {c_.butHead, c_.butTail}) {
        setDesignedFont(end, smallFonts());
    }

    // The row of units lies between the end buttons and "Dada Rezavi".
    c_.strip = new ConsistStrip(client);
    placeInTwips(c_.strip, {0, 990, kClientWidth, 795});
    registry_.addWidget("picConsistLine", c_.strip, ControlKind::Picture);
}

void Form1::buildEditorFrame(QWidget* client) {
    ControlFactory make(registry_);
    c_.Frame3 =
        make.make<QGroupBox>(client, "Frame3", ControlKind::Frame, {3840, 1800, 6135, 2175}, "Dada Rezavi");
    c_.HScroll2 = make.make<QScrollBar>(c_.Frame3, "HScroll2", ControlKind::ScrollBar, {2835, 0, 495, 255});
    c_.HScroll2->setOrientation(Qt::Horizontal);
    c_.HScroll2->setRange(0, 32767);
    c_.HScroll2->setSingleStep(1);
    c_.HScroll2->setPageStep(1);
    c_.HScroll2->setValue(16384);

    constexpr float kLeft = 360, kMiddle = 2280, kRight = 4200;
    const EditorButton buttons[] = {
        {&Form1Controls::butAddLocoLeft, "butAddLocoLeft", "<Add Loco Left", kLeft, 360},
        {&Form1Controls::butAddLocoRight, "butAddLocoRight", "Add Loco Right>", kLeft, 720},
        {&Form1Controls::butReplaceLoco, "butReplaceLoco", "Trade w/Loco", kLeft, 1080},
        {&Form1Controls::butShiftUnitLeft, "butShiftUnitLeft", "<Shift Unit Left", kLeft, 1440},
        {&Form1Controls::butMirrorConsist, "butMirrorConsist", "Mirror Consist", kLeft, 1800},
        {&Form1Controls::butToSelected, "butToSelected", "To-->Selected", kMiddle, 360},
        {&Form1Controls::butDeleteUnitRight, "butDeleteUnitRight", "Delete Unit Move>", kMiddle, 720},
        {&Form1Controls::butDeleteUnitLeft, "butDeleteUnitLeft", "<Delete Unit Move", kMiddle, 1080},
        {&Form1Controls::butReverseUnit, "butReverseUnit", "Reverse Unit", kMiddle, 1440},
        {&Form1Controls::butReverseAll, "butReverseAll", "Reverse All", kMiddle, 1800},
        {&Form1Controls::butAddWagonLeft, "butAddWagonLeft", "<Add Wagon Left", kRight, 360},
        {&Form1Controls::butAddWagonRight, "butAddWagonRight", "Add Wagon Right>", kRight, 720},
        {&Form1Controls::butReplaceWagon, "butReplaceWagon", "Trade w/Wagon", kRight, 1080},
        {&Form1Controls::butShiftUnitRight, "butShiftUnitRight", "Shift Unit Right>", kRight, 1440},
        {&Form1Controls::butNewConsist, "butNewConsist", "New Consist", kRight, 1800},
    };
    for (const EditorButton& button : buttons) {
        c_.*button.member = make.make<QPushButton>(c_.Frame3, button.name, ControlKind::Button,
                                                   {button.left, button.top, 1575, 255}, button.caption);
    }
}

void Form1::buildBrowserPanel(QWidget* client, bool locoSide) {
    ControlFactory make(registry_);
    QGroupBox* frame =
        make.make<QGroupBox>(client, locoSide ? "Frame1" : "Frame2", ControlKind::Frame,
                             {locoSide ? 120.0f : 10095.0f, 1800, 3600, 8160},
                             locoSide ? "Equipment - Locomotives && Tenders" : "Equipment - Wagons");
    const char* captionNames[] = {locoSide ? "Label12" : "Label15", locoSide ? "Label13" : "Label16",
                                  locoSide ? "Label14" : "Label17"};
    const char* captions[] = {"Provider", "Product", "Filter"};
    const char* comboNames[] = {locoSide ? "Combo5" : "Combo6", locoSide ? "Combo1" : "Combo2",
                                locoSide ? "Combo3" : "Combo4"};
    QComboBox* combos[3] = {};
    for (int i = 0; i < 3; ++i) {
        const float top = 300.0f + static_cast<float>(i) * 660.0f;
        make.make<QLabel>(frame, captionNames[i], ControlKind::Label, {120, top, 3360, 225}, captions[i]);
        combos[i] =
            make.make<QComboBox>(frame, comboNames[i], ControlKind::ComboBox, {120, top + 240, 3360, 315});
        combos[i]->setEditable(false);
        combos[i]->setFocusPolicy(Qt::StrongFocus);
    }
    auto* list = make.make<QListWidget>(frame, locoSide ? "List1" : "List2", ControlKind::ListBox,
                                        {120, 2280, 3360, 5280});
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* details = make.make<QPushButton>(frame, locoSide ? "butDisplayLoco" : "butDisplayWagon",
                                           ControlKind::Button, {120, 7680, 3360, 315}, "Details");
    if (locoSide) {
        c_.Frame1 = frame;
        c_.Combo5 = combos[0];
        c_.Combo1 = combos[1];
        c_.Combo3 = combos[2];
        c_.List1 = list;
        c_.butDisplayLoco = details;
    } else {
        c_.Frame2 = frame;
        c_.Combo6 = combos[0];
        c_.Combo2 = combos[1];
        c_.Combo4 = combos[2];
        c_.List2 = list;
        c_.butDisplayWagon = details;
    }
}

void Form1::buildConsistList(QWidget* client) {
    ControlFactory make(registry_);
    c_.Label7 = make.make<QLabel>(client, "Label7", ControlKind::Label, {3840, 4080, 6135, 255});
    setDesignedFont(c_.Label7, requestedFont(QStringLiteral("Arial"), 8.25, true));
    c_.List3 = make.make<QListWidget>(client, "List3", ControlKind::ListBox, {3840, 4350, 6135, 2400});
    c_.List3->setSelectionMode(QAbstractItemView::SingleSelection);
    // Names line up at the list's tab stops, 48 dialog units apart.
    c_.List3->setItemDelegate(new TabStopDelegate(72, c_.List3));
    c_.Label22 = make.make<QLabel>(client, "Label22", ControlKind::Label, {3840, 6840, 4815, 255});
    c_.butView =
        make.make<QPushButton>(client, "butView", ControlKind::Button, {8760, 6840, 1215, 285}, "View");
    c_.ListView1 =
        make.make<QTreeWidget>(client, "ListView1", ControlKind::ListView, {3840, 7200, 6135, 2400});
    c_.ListView1->setRootIsDecorated(false);
    c_.ListView1->setUniformRowHeights(true);
    c_.ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    c_.ListView1->setHeaderLabels(
        {QStringLiteral("Ord#"), QStringLiteral("Equipment"), QStringLiteral("Orientation")});
    setColumnWidthInTwips(c_.ListView1, 0, 720);
    setColumnWidthInTwips(c_.ListView1, 1, 3900);
    c_.Label8 = make.make<QLabel>(client, "Label8", ControlKind::Label, {3840, 9720, 3015, 255});
    c_.Label11 = make.make<QLabel>(client, "Label11", ControlKind::Label, {6960, 9720, 3015, 255});
}

void Form1::buildCouplingFilter(QWidget* client) {
    ControlFactory make(registry_);
    c_.Frame4 =
        make.make<QFrame>(client, "Frame4", ControlKind::Frame, {5100, 5000, 3615, 855}, "Coupling Filter");
    c_.Frame4->setFrameShape(QFrame::Box);
    c_.Frame4->setAutoFillBackground(true);
    c_.Label21 =
        make.make<QLabel>(c_.Frame4, "Label21", ControlKind::Label, {0, 0, 3615, 285}, " Coupler Filter");
    paintLabel(c_.Label21, Qt::white, storedColour(kCouplingBlue));
    c_.butExitFilter2 =
        make.make<QPushButton>(c_.Frame4, "butExitFilter2", ControlKind::Button, {3240, 120, 255, 255}, "X");
    c_.butCheckAll = make.make<QPushButton>(c_.Frame4, "butCheckAll", ControlKind::Button,
                                            {240, 360, 1215, 255}, "Check All");
    c_.butCheckNone = make.make<QPushButton>(c_.Frame4, "butCheckNone", ControlKind::Button,
                                             {1560, 360, 1215, 255}, "Check None");
    c_.chkCoupler0 = new QCheckBox(c_.Frame4);
    make.setUp(c_.chkCoupler0, "chkCoupler", ControlKind::CheckBox, {240, 360, 3135, 255}, "All");
    // The template box takes no part in filtering; new boxes copy its place and its checked state.
    registry_.removeWithPrefix("chkCoupler");
    registry_.addWidget("chkCoupler[0]", c_.chkCoupler0, ControlKind::CheckBox);
    c_.chkCoupler0->setChecked(true);
    c_.chkCoupler0->hide();
    c_.Frame4->hide();
    c_.Frame4->raise();
}

} // namespace dovrel
