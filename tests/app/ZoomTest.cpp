// SPDX-License-Identifier: GPL-3.0-or-later
// View > Zoom In, Zoom Out and Actual Size on the real window: only pixels change.
#include "app/ScriptServices.h"
#include "app/SecondaryWindows.h"
#include "app/StateDump.h"
#include "consist/PointerPosition.h"
#include "core/ZoomSteps.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"
#include "widgets/Twips.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

class ZoomTest : public testing::WindowTest {
protected:
    void startWithStock() {
        start({unit("diesel", "Loco A"), unit("diesel", "Loco B"), unit("diesel", "Loco C")});
    }
    QWidget* widgetAt(const std::string& address) { return form->namedControls().find(address)->widget(); }
    // The dump without the windows' own places and sizes, which are on the screen.
    QJsonObject dumpOfControls() {
        ScriptMessageBoxes messages;
        ScriptFileDialogs fileDialogs;
        ScriptPointer pointer;
        ScriptFolderOpener folders;
        QJsonObject dump =
            QJsonDocument::fromJson(stateDump(*form, {messages, fileDialogs, pointer, folders})).object();
        QJsonObject controls = dump[QLatin1String("controls")].toObject();
        for (const char* window : {"Form1", "Form2", "Form3", "Form4", "FormRestore", "FormScanReport"}) {
            QJsonObject entry = controls[QLatin1String(window)].toObject();
            for (const char* member : {"left", "top", "width", "height"}) {
                entry.remove(QLatin1String(member));
            }
            controls[QLatin1String(window)] = entry;
        }
        dump[QLatin1String("controls")] = controls;
        return dump;
    }
};

// At each step the stored "Zoom" starts the windows with every control at twips x zoom / 15 pixels
// and every font at its designed size times the zoom; the twips, and so the dump, stay the same.
TEST_F(ZoomTest, AtEveryStepPixelsAreTwipsTimesZoomOver15AndTheDumpStaysTheSame) {
    const std::pair<const char*, TwipsRect> placed[] = {
        {"Text1", {1800, 360, 4095, 285}},
        {"Form2.Label1", {1920, 240, 3240, 360}},
        {"Form3.Text1", {120, 120, 8760, 6720}},
        {"FormRestore.butRestore", {6840, 3600, 1260, 375}},
        {"FormScanReport.lstScanReport", {120, 420, 11760, 4260}}};
    const std::pair<const char*, double> fonts[] = {{"Form1", 8.25},    {"Label10", 14.25},
                                                    {"butHead", 6.75},  {"Form2.Label1", 12},
                                                    {"Form3.Text1", 9}, {"Form4.ListView1", 8.25}};
    QJsonObject atActualSize;
    for (const int zoom : kZoomSteps) {
        SCOPED_TRACE(zoom);
        world.settings.setValue(kZoomKey, std::to_string(zoom));
        startWithStock();
        const auto at = [zoom](float twips) { return static_cast<int>(std::lround(twips * zoom / 1500.0)); };
        for (const auto& [address, t] : placed) {
            EXPECT_EQ(widgetAt(address)->geometry(), QRect(at(t.left), at(t.top), at(t.width), at(t.height)))
                << address;
        }
        EXPECT_EQ(form->clientArea()->size(), QSize(at(Form1::kClientWidth), at(Form1::kClientHeight)));
        EXPECT_EQ(c().ListView1->columnWidth(1), at(3900));
        EXPECT_EQ(form->unitDetails().listView()->columnWidth(0), at(1200));
        for (const auto& [address, points] : fonts) {
            EXPECT_NEAR(widgetAt(address)->font().pointSizeF(), points * zoom / 100, 1e-9) << address;
        }
        if (zoom == kActualSize) {
            atActualSize = dumpOfControls();
        }
        EXPECT_EQ(dumpOfControls(), atActualSize);
    }
}

// Until a zoom is chosen, a larger desktop font starts the windows at the nearest step, unstored.
TEST_F(ZoomTest, ADesktopFontStartsTheNearestStepUntilAZoomIsChosen) {
    Services services = world.services();
    services.desktopFontPoints = 10; // 121 %
    form = std::make_unique<Form1>(services);
    ASSERT_EQ(form->startBeforeShow(), std::nullopt);
    EXPECT_EQ(zoomOf(form.get()), 125);
    EXPECT_EQ(zoomOf(&form->about()), 125);
    EXPECT_FALSE(world.settings.value(kZoomKey));
}

// Ctrl++ and Ctrl+= zoom in, Ctrl+- zooms out, Ctrl+0 gives the actual size, each choice stored; the
// window follows the zoom and its content scrolls only while it does not fit the screen.
TEST_F(ZoomTest, TheShortcutsStepTheZoomAndTheWindowScrollsOnlyWhileItDoesNotFit) {
    world.settings.setValue("GameFolder", world.makeGameFolder().string());
    Services services = world.services();
    services.availableArea = {1024, 768};
    form = std::make_unique<Form1>(services);
    ASSERT_EQ(form->startBeforeShow(), std::nullopt);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QSize actual = form->size();
    EXPECT_FALSE(world.settings.value(kZoomKey)) << "never stored before a choice";
    const auto press = [&](Qt::Key key, int zoom) {
        QTest::keyClick(c().List1, key, Qt::ControlModifier);
        EXPECT_EQ(zoomOf(form.get()), zoom);
        EXPECT_EQ(world.settings.value(kZoomKey), std::to_string(zoom));
    };
    press(Qt::Key_Plus, 110); // 1013 x 739 pixels of client area still fit
    EXPECT_EQ(form->centralWidget(), form->clientArea());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->width() > actual.width(); }));
    QTest::keyPress(c().List1, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form->heldKeyCode(), 48) << "the held key is the zoom's 0, though the shortcut took it";
    QTest::keyRelease(c().List1, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == actual; }))
        << "back from a size that fitted: " << form->width() << "x" << form->height();
    press(Qt::Key_Plus, 110);
    press(Qt::Key_Equal, 125); // 1151 pixels wide
    press(Qt::Key_Plus, 150);
    press(Qt::Key_Minus, 125);
    auto* scroller = qobject_cast<QScrollArea*>(form->centralWidget());
    ASSERT_NE(scroller, nullptr);
    EXPECT_FALSE(scroller->isHidden());
    EXPECT_EQ(scroller->widget(), form->clientArea());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->width() <= 1024 && form->height() <= 768; }))
        << form->width() << "x" << form->height();
    press(Qt::Key_0, 100);
    EXPECT_EQ(form->centralWidget(), form->clientArea());
    EXPECT_TRUE(form->clientArea()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == actual; }))
        << form->width() << "x" << form->height();
}

// At 150 % a click selects the unit under the pointer, and a middle press finds it where it is drawn.
TEST_F(ZoomTest, AtAZoomPressesReachTheUnitUnderThePointer) {
    world.settings.setValue(kZoomKey, "150");
    startWithStock();
    for (int i = 0; i < 3; ++i) {
        clickRow(c().List1, i);
        QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    }
    const TwipsRect band = twipsGeometry(c().strip);
    const auto pixelOf = [&](float x, float y) {
        return QPoint(twipsToPixels(x - band.left, 150), twipsToPixels(y - band.top, 150));
    };
    const TwipsRect unitB = *form->namedControls().find("Label1[2]")->geometry();
    QTest::mouseClick(c().strip, Qt::LeftButton, {}, pixelOf(unitB.left + 600, unitB.top + 150));
    EXPECT_EQ(selected(), 1);
    const TwipsRect unitC = *form->namedControls().find("Label1[3]")->geometry();
    const QPoint pressed = pixelOf(unitC.left + 450, unitC.top + 105);
    QTest::mouseClick(c().strip, Qt::MiddleButton, {}, pressed);
    const TwipsRect centred = *form->namedControls().find("Label1[3]")->geometry();
    const float x = band.left + pixelsToTwips(pressed.x(), 150) - unitC.left;
    const float y = band.top + pixelsToTwips(pressed.y(), 150) - unitC.top;
    const PixelPoint expected =
        pointerPositionFor(centred.left, centred.top, x, y, pixelsToTwips(form->frameGeometry().x(), 100),
                           pixelsToTwips(form->frameGeometry().y(), 100), 150);
    ASSERT_EQ(world.pointer.moves().size(), 1u);
    EXPECT_EQ((PixelPoint{world.pointer.moves()[0].x, world.pointer.moves()[0].y}), expected);
}

} // namespace
} // namespace dovrel
