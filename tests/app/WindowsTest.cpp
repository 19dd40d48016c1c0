#include "app/Form1.h"
#include "app/SecondaryWindows.h"
#include "browser/UnitDetails.h"
#include "support/AppWorld.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTreeWidget>
#include <cstdlib>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

struct Expected {
    const char* address;
    ControlKind kind;
    const char* text;
};

// Every named control of the main window and its secondary windows, with its kind and caption.
const Expected kControls[] = {
    {"Form1", ControlKind::Window, ""},
    {"mnuFile", ControlKind::Menu, "File"},
    {"mnuOpenVTUserConsists", ControlKind::MenuItem, "Open VT User Consists"},
    {"mnuOpenVTScenarioConsists", ControlKind::MenuItem, "Open VT Scenario Consists"},
    {"mnuSaveConsistToVTUserConsists", ControlKind::MenuItem, "Save Consist To VT User Consists"},
    {"mnuNewConsist", ControlKind::MenuItem, "New Consist"},
    {"mnuExit", ControlKind::MenuItem, "Exit"},
    {"mnuEdit", ControlKind::Menu, "Edit"},
    {"mnuPreferences", ControlKind::Menu, "Preferences"},
    {"mnuLocateGameEXE", ControlKind::MenuItem, "Locate Game .EXE"},
    {"mnuUnitWeight", ControlKind::Menu, "Unit Weight"},
    {"mnuImperial", ControlKind::MenuItem, "Imperial (pounds)"},
    {"mnuImperialTons2240", ControlKind::MenuItem, "Imperial (imperial tons\xC2\xB9 [2240])"},
    {"mnuImperialTons2000", ControlKind::MenuItem, "Imperial (short tons\xC2\xB2 [2000])"},
    {"mnuMetric", ControlKind::MenuItem, "Metric (kilograms)"},
    {"mnuRefreshEquipmentList", ControlKind::MenuItem, "Refresh Equipment List"},
    {"mnuDeleteConsist", ControlKind::MenuItem, "Delete Selected User Consist"},
    {"mnuAbout", ControlKind::MenuItem, "About"},
    {"mnuTips", ControlKind::MenuItem, "Tips"},
    {"Text1", ControlKind::TextBox, ""},
    {"Label10", ControlKind::Label, ""},
    {"Label25", ControlKind::Label, ""},
    {"Label6", ControlKind::Label, ""},
    {"butHead", ControlKind::Button, "TO HEAD"},
    {"butTail", ControlKind::Button, "TO TAIL"},
    {"butCouplingFilter", ControlKind::Button, "Show Filter"},
    {"Image1", ControlKind::Picture, ""},
    {"Frame3", ControlKind::Frame, "Dada Rezavi"},
    {"HScroll2", ControlKind::ScrollBar, ""},
    {"butAddLocoLeft", ControlKind::Button, "<Add Loco Left"},
    {"butAddLocoRight", ControlKind::Button, "Add Loco Right>"},
    {"butReplaceLoco", ControlKind::Button, "Trade w/Loco"},
    {"butShiftUnitLeft", ControlKind::Button, "<Shift Unit Left"},
    {"butMirrorConsist", ControlKind::Button, "Mirror Consist"},
    {"butToSelected", ControlKind::Button, "To-->Selected"},
    {"butDeleteUnitRight", ControlKind::Button, "Delete Unit Move>"},
    {"butDeleteUnitLeft", ControlKind::Button, "<Delete Unit Move"},
    {"butReverseUnit", ControlKind::Button, "Reverse Unit"},
    {"butReverseAll", ControlKind::Button, "Reverse All"},
    {"butAddWagonLeft", ControlKind::Button, "<Add Wagon Left"},
    {"butAddWagonRight", ControlKind::Button, "Add Wagon Right>"},
    {"butReplaceWagon", ControlKind::Button, "Trade w/Wagon"},
    {"butShiftUnitRight", ControlKind::Button, "Shift Unit Right>"},
    {"butNewConsist", ControlKind::Button, "New Consist"},
    {"Frame1", ControlKind::Frame, "Equipment - Locomotives & Tenders"},
    {"Frame2", ControlKind::Frame, "Equipment - Wagons"},
    {"Combo1", ControlKind::ComboBox, ""},
    {"Combo2", ControlKind::ComboBox, ""},
    {"Combo3", ControlKind::ComboBox, ""},
    {"Combo4", ControlKind::ComboBox, ""},
    {"Combo5", ControlKind::ComboBox, ""},
    {"Combo6", ControlKind::ComboBox, ""},
    {"List1", ControlKind::ListBox, ""},
    {"List2", ControlKind::ListBox, ""},
    {"butDisplayLoco", ControlKind::Button, "Details"},
    {"butDisplayWagon", ControlKind::Button, "Details"},
    {"Label7", ControlKind::Label, ""},
    {"List3", ControlKind::ListBox, ""},
    {"Label22", ControlKind::Label, ""},
    {"ListView1", ControlKind::ListView, ""},
    {"butView", ControlKind::Button, "View"},
    {"Label8", ControlKind::Label, ""},
    {"Label11", ControlKind::Label, ""},
    {"Frame4", ControlKind::Frame, "Coupling Filter"},
    {"Label21", ControlKind::Label, " Coupler Filter"},
    {"butExitFilter2", ControlKind::Button, "X"},
    {"butCheckAll", ControlKind::Button, "Check All"},
    {"butCheckNone", ControlKind::Button, "Check None"},
    {"chkCoupler[0]", ControlKind::CheckBox, "All"},
    {"Form2", ControlKind::Window, "About"},
    {"Form2.Image1", ControlKind::Picture, ""},
    {"Form2.Label1", ControlKind::Label, "Dovrel Consist Editor"},
    {"Form3", ControlKind::Window, "Tips"},
    {"Form3.Text1", ControlKind::TextBox, nullptr},
    {"Form4", ControlKind::Window, "Unit Details"},
    {"Form4.Label1", ControlKind::Label, "Double-click to open unit folder"},
    {"Form4.ListView1", ControlKind::ListView, ""},
};

class WindowsTest : public ::testing::Test {
protected:
    testing::AppWorld world;
    Form1 form{world.services()};
};

TEST_F(WindowsTest, EveryNamedControlIsReachableWithItsKindAndCaption) {
    for (const Expected& expected : kControls) {
        SCOPED_TRACE(expected.address);
        NamedControl* control = form.namedControls().find(expected.address);
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(controlKindName(control->kind()), controlKindName(expected.kind));
        if (expected.text != nullptr && expected.kind != ControlKind::Window) {
            EXPECT_EQ(control->text(), expected.text);
        }
        if (control->widget() != nullptr) {
            EXPECT_EQ(control->widget()->objectName().toStdString(),
                      std::string(expected.address)
                          .substr(std::string(expected.address).rfind('.') + 1)
                          .substr(0, std::string(expected.address).find('[') == std::string::npos
                                         ? std::string::npos
                                         : std::string(expected.address).find('[')));
        }
    }
}

TEST_F(WindowsTest, DesignGeometryIsKeptInTwips) {
    struct Placed {
        const char* address;
        TwipsRect rect;
    };
    const Placed placed[] = {
        {"butHead", {120, 720, 855, 255}},
        {"butTail", {12840, 720, 855, 255}},
        {"Text1", {1800, 360, 4095, 285}},
        {"Label10", {6600, 360, 615, 375}},
        {"Label25", {7920, 360, 2535, 255}},
        {"Label6", {10560, 360, 2535, 255}},
        {"Frame3", {3840, 1800, 6135, 2175}},
        {"HScroll2", {2835, 0, 495, 255}},
        {"butAddLocoLeft", {360, 360, 1575, 255}},
        {"butNewConsist", {4200, 1800, 1575, 255}},
        {"butToSelected", {2280, 360, 1575, 255}},
        {"Label21", {0, 0, 3615, 285}},
        {"butExitFilter2", {3240, 120, 255, 255}},
        {"butCheckAll", {240, 360, 1215, 255}},
        {"butCheckNone", {1560, 360, 1215, 255}},
        {"chkCoupler[0]", {240, 360, 3135, 255}},
        {"Form4.ListView1", {120, 360, 14160, 5985}},
    };
    for (const Placed& p : placed) {
        SCOPED_TRACE(p.address);
        const auto rect = form.namedControls().find(p.address)->geometry();
        ASSERT_TRUE(rect.has_value());
        EXPECT_EQ(rect->left, p.rect.left);
        EXPECT_EQ(rect->top, p.rect.top);
        EXPECT_EQ(rect->width, p.rect.width);
        EXPECT_EQ(rect->height, p.rect.height);
        EXPECT_EQ(form.namedControls().find(p.address)->widget()->width(), twipsToPixels(p.rect.width));
    }
}

TEST_F(WindowsTest, NoTwoControlsOfTheClientAreaOverlap) {
    // The controls standing directly on the client area (panels count as one).
    const char* topLevel[] = {
        "butCouplingFilter", "Label4",    "Text1",  "Label5", "Label10", "Label9", "Label25", "Label6",
        "butHead",           "butTail",   "Frame3", "Frame1", "Frame2",  "Label7", "List3",   "Label22",
        "butView",           "ListView1", "Label8", "Label11"};
    std::vector<QRect> rects;
    for (const char* name : topLevel) {
        const NamedControl* control = form.namedControls().find(name);
        ASSERT_NE(control, nullptr) << name;
        const QRect rect = control->widget()->geometry();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            // The design lets a caption and its box share one 15-twip row of pixels; nothing more.
            const QRect shared = rect.intersected(rects[i]);
            EXPECT_FALSE(shared.width() > 1 && shared.height() > 1) << name << " overlaps " << topLevel[i];
        }
        EXPECT_TRUE(QRect(0, 0, twipsToPixels(Form1::kClientWidth), twipsToPixels(Form1::kClientHeight))
                        .contains(rect))
            << name;
        rects.push_back(rect);
    }
}

TEST_F(WindowsTest, ScrollBarStepsFromTheMiddleOfItsRange) {
    const auto& c = form.controls();
    EXPECT_EQ(c.HScroll2->minimum(), 0);
    EXPECT_EQ(c.HScroll2->maximum(), 32767);
    EXPECT_EQ(c.HScroll2->value(), 16384);
    EXPECT_EQ(c.HScroll2->singleStep(), 1);
    EXPECT_EQ(c.HScroll2->pageStep(), 1);
}

TEST_F(WindowsTest, SecondaryWindowsStartHiddenAndOpenOnceFromTheMenu) {
    EXPECT_FALSE(form.namedControls().find("Form3")->visible());
    EXPECT_FALSE(form.namedControls().find("Form2")->visible());
    form.controls().mnuTips->trigger();
    form.controls().mnuTips->trigger();
    form.controls().mnuAbout->trigger();
    EXPECT_TRUE(form.namedControls().find("Form3")->visible());
    EXPECT_TRUE(form.namedControls().find("Form2")->visible());
    int tipsWindows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        tipsWindows += window->objectName() == QStringLiteral("Form3") && window->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(tipsWindows, 1);
    // The Tips box keeps the text as set, CR LF included.
    EXPECT_TRUE(form.namedControls().find("Form3.Text1")->text().starts_with("\r\nDada Rezavi Panel\r\n"));
    EXPECT_EQ(form.tips().text()->font().family(), QStringLiteral("Courier New"));
}

TEST_F(WindowsTest, TheUnitDetailsListHasTheFifteenColumnsInOrder) {
    const std::vector<std::string> headers = {
        "Unit Type",        "Common Name",   "English Name", "Empty Mass",     "Cargo Capacity",
        "Loaded Gross",     "Front Coupler", "Rear Coupler", "Ease of Derail", "Drag Coef",
        "Rolling Friction", "Dry Friction",  "Wet Friction", "Snow Friction",  "Sand Friction"};
    EXPECT_EQ(form.namedControls().find("Form4.ListView1")->columns(), headers);
    QTreeWidget* view = form.unitDetails().listView();
    EXPECT_EQ(view->headerItem()->text(static_cast<int>(kEnglishNameColumn)), QStringLiteral("English Name"))
        << "a double-click reads the unit's name from this column";
    EXPECT_EQ(view->columnWidth(0), twipsToPixels(1200));
}

TEST_F(WindowsTest, TheCouplingFilterStartsHiddenWithItsTemplateChecked) {
    const NamedControls& named = form.namedControls();
    EXPECT_FALSE(named.find("Frame4")->visible());
    EXPECT_EQ(named.find("chkCoupler[0]")->checked(), true);
    EXPECT_FALSE(named.find("chkCoupler[0]")->visible());
}

// Saves pictures of the windows when DOVREL_SCREENSHOT_DIR names a folder.
TEST_F(WindowsTest, Screenshots) {
    const char* folder = std::getenv("DOVREL_SCREENSHOT_DIR");
    if (folder == nullptr) {
        GTEST_SKIP() << "DOVREL_SCREENSHOT_DIR not set";
    }
    form.setWindowTitle(QStringLiteral("Dovrel Consist Editor  v1 build 204"));
    form.show();
    form.controls().mnuTips->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(form.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/form1.png")));
    EXPECT_TRUE(form.tips().grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/form3.png")));
    EXPECT_TRUE(form.about().grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/form2.png")));
}

} // namespace
} // namespace dovrel
