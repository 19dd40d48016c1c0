// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

namespace dovrel {

class ConsistStrip;
class ListRowsView;

// The design size in twips of the main window's client area, which every one of its controls lies on.
inline constexpr float kForm1ClientWidth = 13815.0f;
inline constexpr float kForm1ClientHeight = 10080.0f;

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
    QAction* mnuExportConsist = nullptr;
    QAction* mnuImportConsist = nullptr;
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
    ListRowsView* List1 = nullptr;
    ListRowsView* List2 = nullptr;
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

} // namespace dovrel
