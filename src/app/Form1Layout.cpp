// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls: captions, places in twips, fonts and colours, and their names.
#include "app/Form1Layout.h"

#include "app/Form1.h"
#include "widgets/ConsistStrip.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"
#include "widgets/Fonts.h"
#include "widgets/ListRowsView.h"
#include "widgets/StripControls.h"
#include "widgets/TabStopDelegate.h"
#include "widgets/Twips.h"
#include "widgets/WidestRowDelegate.h"
#include "widgets/WindowZoom.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
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

Form1Layout::Form1Layout(QMainWindow& window, QWidget* client, NamedControls& registry,
                         Form1Controls& controls)
    : window_(window), client_(client), registry_(registry), c_(controls) {}

void Form1Layout::build() {
    buildMenus();
    buildTopRow();
    buildEditorFrame();
    buildBrowserPanel(true);
    buildBrowserPanel(false);
    buildConsistList();
    buildCouplingFilter();
    buildAdditions();
    buildFindBar();
    buildScanReport();
    buildViewMenu();
}

void Form1Layout::registerMenu(QAction* action, const char* name, ControlKind kind) {
    action->setObjectName(QString::fromLatin1(name));
    registry_.addMenu(name, action, kind);
}

void Form1Layout::buildMenus() {
    QMenuBar* bar = window_.menuBar();
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
    // Sharing a consist with another installation; Exit stays the last item, as on every desktop.
    c_.mnuFile->addSeparator();
    c_.mnuExportConsist = addItem(c_.mnuFile, "mnuExportConsist", "Export Consist...");
    c_.mnuImportConsist = addItem(c_.mnuFile, "mnuImportConsist", "Import Consist...");
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

void Form1Layout::buildTopRow() {
    ControlFactory make(registry_);
    c_.Image1 = make.make<QLabel>(client_, "Image1", ControlKind::Picture, {0, 0, 0, 0});

    c_.butCouplingFilter = make.make<QPushButton>(client_, "butCouplingFilter", ControlKind::Button,
                                                  {120, 360, 1455, 285}, "Show Filter");

    auto* nameCaption = make.make<QLabel>(client_, "Label4", ControlKind::Label, {1800, 120, 4095, 255},
                                          " Consist Name  (used for save)");
    paintLabel(nameCaption, Qt::white, storedColour(kDarkGrey));
    c_.Text1 = make.make<QLineEdit>(client_, "Text1", ControlKind::TextBox, {1800, 360, 4095, 285});
    setDesignedFont(c_.Text1, lucidaConsole());

    auto* unitsCaption =
        make.make<QLabel>(client_, "Label5", ControlKind::Label, {6600, 120, 615, 255}, "Units");
    paintLabel(unitsCaption, Qt::white, storedColour(kDarkGrey));
    c_.Label10 = make.make<QLabel>(client_, "Label10", ControlKind::Label, {6600, 360, 615, 375});
    setDesignedFont(c_.Label10, requestedFont(QStringLiteral("Arial"), 14.25, true));
    c_.Label10->setAlignment(Qt::AlignCenter);
    paintLabel(c_.Label10, Qt::white, storedColour(kDarkGrey));

    auto* couplingCaption = make.make<QLabel>(client_, "Label9", ControlKind::Label, {7920, 120, 5175, 255},
                                              " Coupling Type For Selected Unit (front/rear)");
    paintLabel(couplingCaption, Qt::white, storedColour(kCouplingBlue));
    c_.Label25 = make.make<QLabel>(client_, "Label25", ControlKind::Label, {7920, 360, 2535, 255});
    c_.Label6 = make.make<QLabel>(client_, "Label6", ControlKind::Label, {10560, 360, 2535, 255});
    for (QLabel* coupling : {c_.Label25, c_.Label6}) {
        coupling->setFrameShape(QFrame::Panel);
        coupling->setFrameShadow(QFrame::Sunken);
    }

    c_.butHead =
        make.make<QPushButton>(client_, "butHead", ControlKind::Button, {120, 720, 855, 255}, "TO HEAD");
    c_.butTail =
        make.make<QPushButton>(client_, "butTail", ControlKind::Button, {12840, 720, 855, 255}, "TO TAIL");
    for (QPushButton* end : {c_.butHead, c_.butTail}) {
        setDesignedFont(end, smallFonts());
    }

    // The row of units lies between the end buttons and "Dada Rezavi".
    c_.strip = new ConsistStrip(client_);
    placeInTwips(c_.strip, {0, 990, kForm1ClientWidth, 795});
    registry_.addWidget("picConsistLine", c_.strip, ControlKind::Picture);
}

void Form1Layout::buildEditorFrame() {
    ControlFactory make(registry_);
    c_.Frame3 =
        make.make<QGroupBox>(client_, "Frame3", ControlKind::Frame, {3840, 1800, 6135, 2175}, "Dada Rezavi");
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

void Form1Layout::buildBrowserPanel(bool locoSide) {
    ControlFactory make(registry_);
    QGroupBox* frame =
        make.make<QGroupBox>(client_, locoSide ? "Frame1" : "Frame2", ControlKind::Frame,
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
    auto* list = make.make<ListRowsView>(frame, locoSide ? "List1" : "List2", ControlKind::ListBox,
                                         {120, 2280, 3360, 5280});
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tens of thousands of names are laid out as rows of one size, the widest name's.
    list->setUniformItemSizes(true);
    list->setItemDelegate(new WidestRowDelegate(list));
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

void Form1Layout::buildConsistList() {
    ControlFactory make(registry_);
    c_.Label7 = make.make<QLabel>(client_, "Label7", ControlKind::Label, {3840, 4080, 6135, 255});
    setDesignedFont(c_.Label7, requestedFont(QStringLiteral("Arial"), 8.25, true));
    c_.List3 = make.make<QListWidget>(client_, "List3", ControlKind::ListBox, {3840, 4350, 6135, 2400});
    c_.List3->setSelectionMode(QAbstractItemView::SingleSelection);
    // Names line up at the list's tab stops, 48 dialog units apart.
    c_.List3->setItemDelegate(new TabStopDelegate(72, c_.List3));
    c_.Label22 = make.make<QLabel>(client_, "Label22", ControlKind::Label, {3840, 6840, 4815, 255});
    c_.butView =
        make.make<QPushButton>(client_, "butView", ControlKind::Button, {8760, 6840, 1215, 285}, "View");
    c_.ListView1 =
        make.make<QTreeWidget>(client_, "ListView1", ControlKind::ListView, {3840, 7200, 6135, 2400});
    c_.ListView1->setRootIsDecorated(false);
    c_.ListView1->setUniformRowHeights(true);
    c_.ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    c_.ListView1->setHeaderLabels(
        {QStringLiteral("Ord#"), QStringLiteral("Equipment"), QStringLiteral("Orientation")});
    setColumnWidthInTwips(c_.ListView1, 0, 720);
    setColumnWidthInTwips(c_.ListView1, 1, 3900);
    c_.Label8 = make.make<QLabel>(client_, "Label8", ControlKind::Label, {3840, 9720, 3015, 255});
    c_.Label11 = make.make<QLabel>(client_, "Label11", ControlKind::Label, {6960, 9720, 3015, 255});
}

void Form1Layout::buildCouplingFilter() {
    ControlFactory make(registry_);
    c_.Frame4 =
        make.make<QFrame>(client_, "Frame4", ControlKind::Frame, {5100, 5000, 3615, 855}, "Coupling Filter");
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

void Form1Layout::buildAdditions() {
    ControlFactory make(registry_);
    // Right of the Units box, under the coupling boxes.
    c_.lblConsistTotals =
        make.make<QLabel>(client_, "lblConsistTotals", ControlKind::Label, {7290, 630, 5535, 345});
    setDesignedFont(c_.lblConsistTotals, requestedFont(QStringLiteral("Arial"), 8.25, false));
    c_.lblConsistTotals->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c_.lblConsistTotals->setWordWrap(true);
    // It lies on what was bare surface before it came: a press on it still clicks the background.
    c_.lblConsistTotals->setProperty(kOnSurface, true);
    // Beside the scan's per-unit caption, where the consist reading's caption goes; a scan and a
    // reading never run at once, and the bar is shown only during a scan.
    c_.prgScan =
        make.make<QProgressBar>(client_, "prgScan", ControlKind::ProgressBar, {6960, 9720, 3015, 255});
    setDesignedFont(c_.prgScan, requestedFont(QStringLiteral("Arial"), 8.25, false));
    c_.prgScan->hide();

    // At the end of the Edit menu, so the places of its original items stay as they were.
    const auto addItem = [this](const char* name, const char* caption, QList<QKeySequence> keys) {
        QAction* action = c_.mnuEdit->addAction(QString());
        setCaption(action, caption);
        registerMenu(action, name, ControlKind::MenuItem);
        action->setShortcuts(keys);
        action->setEnabled(false);
        return action;
    };
    c_.mnuEdit->addSeparator();
    c_.mnuUndo = addItem("mnuUndo", "Undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    c_.mnuRedo =
        addItem("mnuRedo", "Redo",
                {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    c_.mnuEdit->addSeparator();
    c_.mnuNextCouplerMismatch =
        addItem("mnuNextCouplerMismatch", "Next Coupler Mismatch", {QKeySequence(Qt::Key_F3)});
}

void Form1Layout::buildFindBar() {
    c_.mnuEdit->addSeparator();
    c_.mnuFindUnit = c_.mnuEdit->addAction(QString());
    setCaption(c_.mnuFindUnit, "Find Unit...");
    c_.mnuFindUnit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    registerMenu(c_.mnuFindUnit, "mnuFindUnit", ControlKind::MenuItem);

    c_.findBar = new QFrame(client_);
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
    c_.findEscape = new QShortcut(QKeySequence(Qt::Key_Escape), &window_);
    c_.findEscape->setContext(Qt::WindowShortcut);
    c_.findEscape->setEnabled(false);
}

void Form1Layout::buildScanReport() {
    // At the end of Preferences, so the places of its original items stay as they were.
    QAction* action = c_.mnuPreferences->addAction(QString());
    setCaption(action, "Collect Scan Messages");
    registerMenu(action, "mnuCollectScanMessages", ControlKind::MenuItem);
    action->setCheckable(true);
    c_.mnuCollectScanMessages = action;
}

void Form1Layout::buildViewMenu() {
    // Between Edit and About, so the menus the window had keep their order.
    auto* menu = new QMenu(window_.menuBar());
    menu->setObjectName(QStringLiteral("mnuView"));
    setCaption(menu->menuAction(), "&View");
    registerMenu(menu->menuAction(), "mnuView", ControlKind::Menu);
    window_.menuBar()->insertMenu(c_.mnuAbout, menu);
    c_.mnuView = menu;
    const auto addItem = [this, menu](const char* name, const char* caption, QList<QKeySequence> keys) {
        QAction* action = menu->addAction(QString());
        setCaption(action, caption);
        registerMenu(action, name, ControlKind::MenuItem);
        action->setShortcuts(keys);
        return action;
    };
    c_.mnuZoomIn = addItem("mnuZoomIn", "Zoom In",
                           {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    c_.mnuZoomOut = addItem("mnuZoomOut", "Zoom Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    c_.mnuZoomReset = addItem("mnuZoomReset", "Actual Size", {QKeySequence(Qt::CTRL | Qt::Key_0)});
}

} // namespace dovrel
