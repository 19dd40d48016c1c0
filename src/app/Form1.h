#pragma once

#include "widgets/NamedControls.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollBar;
class QTreeWidget;

namespace dovrel {

class ConsistStrip;
class Form2;
class Form3;
class Form4;

// The main window's controls, under the names the rest of the program uses.
struct Form1Controls {
    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuOpenVTUserConsists = nullptr;
    QAction* mnuOpenVTScenarioConsists = nullptr;
    QAction* mnuSaveConsistToVTUserConsists = nullptr;
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
};

// The main window: menus, the row of units, "Dada Rezavi", the two browsing panels, the consist
// list and the coupling filter. Form2 to Form4 are its secondary windows.
class Form1 final : public QMainWindow {
    Q_OBJECT

public:
    Form1();
    ~Form1() override;

    const Form1Controls& controls() const { return c_; }
    NamedControls& namedControls() { return registry_; }
    Form2& about() { return *form2_; }
    Form3& tips() { return *form3_; }
    Form4& unitDetails() { return *form4_; }

    // The client area's design size in twips.
    static constexpr float kClientWidth = 13815.0f;
    static constexpr float kClientHeight = 10080.0f;

private:
    void buildMenus();
    void buildTopRow(QWidget* client);
    void buildEditorFrame(QWidget* client);
    void buildBrowserPanel(QWidget* client, bool locoSide);
    void buildConsistList(QWidget* client);
    void buildCouplingFilter(QWidget* client);
    void registerMenu(QAction* action, const char* name, ControlKind kind);

    NamedControls registry_;
    Form1Controls c_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<Form4> form4_;
};

} // namespace dovrel
