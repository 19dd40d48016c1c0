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
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

// Pixels of a twips length at a zoom, as the table says: twips x zoom / 15, rounded.
int pixelsAt(float twips, int zoom) {
    return static_cast<int>(std::lround(twips * zoom / (15.0 * 100)));
}

class ZoomTest : public testing::WindowTest {
protected:
    void startWithStock() {
        start({unit("diesel", "Loco A"), unit("diesel", "Loco B"), unit("diesel", "Loco C"),
               unit("freight", "Hopper")});
    }
    QWidget* widgetAt(const std::string& address) {
        NamedControl* control = form->namedControls().find(address);
        return control != nullptr ? control->widget() : nullptr;
    }
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
    const struct {
        const char* address;
        TwipsRect twips;
    } placed[] = {
        {"Text1", {1800, 360, 4095, 285}},
        {"butAddLocoLeft", {360, 360, 1575, 255}},
        {"List2", {120, 2280, 3360, 5280}},
        {"Label8", {3840, 9720, 3015, 255}},
        {"Form2.Label1", {1920, 240, 3240, 360}},
        {"Form3.Text1", {120, 120, 8760, 6720}},
        {"FormRestore.butRestore", {6840, 3600, 1260, 375}},
        {"FormScanReport.lstScanReport", {120, 420, 11760, 4260}},
    };
    const struct {
        const char* address;
        double points;
    } fonts[] = {{"Form1", 8.25},  {"Text1", 8.25},           {"Label10", 14.25}, {"butHead", 6.75},
                 {"List1", 8.25},  {"Form2.Label1", 12},      {"Form3.Text1", 9}, {"Form4.ListView1", 8.25},
                 {"Label7", 8.25}, {"lblConsistTotals", 8.25}};
    QJsonObject atActualSize;
    for (const int zoom : kZoomSteps) {
        SCOPED_TRACE(zoom);
        world.settings.setValue(kZoomKey, std::to_string(zoom));
        startWithStock();
        for (const auto& [address, twips] : placed) {
            const QWidget* widget = widgetAt(address);
            ASSERT_NE(widget, nullptr) << address;
            EXPECT_EQ(widget->geometry(), QRect(pixelsAt(twips.left, zoom), pixelsAt(twips.top, zoom),
                                                pixelsAt(twips.width, zoom), pixelsAt(twips.height, zoom)))
                << address;
        }
        EXPECT_EQ(form->clientArea()->size(),
                  QSize(pixelsAt(Form1::kClientWidth, zoom), pixelsAt(Form1::kClientHeight, zoom)));
        EXPECT_EQ(c().ListView1->columnWidth(1), pixelsAt(3900, zoom));
        EXPECT_EQ(form->unitDetails().listView()->columnWidth(0), pixelsAt(1200, zoom));
        for (const auto& [address, points] : fonts) {
            EXPECT_NEAR(widgetAt(address)->font().pointSizeF(), points * zoom / 100, 1e-9) << address;
        }
        if (zoom == kActualSize) {
            atActualSize = dumpOfControls();
        } else {
            EXPECT_EQ(dumpOfControls(), atActualSize);
        }
    }
}

// Ctrl++ and Ctrl+= zoom in, Ctrl+- zooms out, Ctrl+0 gives the actual size, each a step at a time
// and stopping at the ends; each choice is stored.
TEST_F(ZoomTest, TheViewMenusShortcutsStepTheZoomAndStoreIt) {
    startWithStock();
    ASSERT_EQ(zoomOf(form.get()), 100);
    EXPECT_FALSE(world.settings.value(kZoomKey)) << "never stored before a choice";
    const struct {
        Qt::Key key;
        int zoom;
    } presses[] = {{Qt::Key_Plus, 110},  {Qt::Key_Equal, 125}, {Qt::Key_Plus, 150},
                   {Qt::Key_Plus, 175},  {Qt::Key_Equal, 200}, {Qt::Key_Plus, 200},
                   {Qt::Key_Minus, 175}, {Qt::Key_0, 100},     {Qt::Key_Minus, 100}};
    for (const auto& [key, zoom] : presses) {
        QTest::keyClick(c().List1, key, Qt::ControlModifier);
        EXPECT_EQ(zoomOf(form.get()), zoom);
        EXPECT_EQ(world.settings.value(kZoomKey), std::to_string(zoom));
        EXPECT_EQ(c().Text1->width(), pixelsAt(4095, zoom));
    }
    QTest::keyPress(c().List1, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form->heldKeyCode(), 48) << "the held key is the zoom's 0, though the shortcut took it";
    QTest::keyRelease(c().List1, Qt::Key_0, Qt::ControlModifier);
}

// Until a zoom is chosen, a desktop font larger than the designed 8.25 points starts the windows at
// the nearest step, and nothing is stored for it.
TEST_F(ZoomTest, ADesktopFontStartsTheNearestStepUntilAZoomIsChosen) {
    Services services = world.services();
    services.desktopFontPoints = 10; // 121 %
    form = std::make_unique<Form1>(services);
    ASSERT_EQ(form->startBeforeShow(), std::nullopt);
    EXPECT_EQ(zoomOf(form.get()), 125);
    EXPECT_EQ(zoomOf(&form->about()), 125);
    EXPECT_FALSE(world.settings.value(kZoomKey));
}

// The window grows and shrinks with the zoom; where it no longer fits the screen its content
// scrolls, and where it fits again it is the window it was.
TEST_F(ZoomTest, TheWindowFollowsTheZoomAndScrollsOnlyWhileItDoesNotFit) {
    world.settings.setValue("GameFolder", world.makeGameFolder().string());
    Services services = world.services();
    services.availableArea = {1024, 768};
    form = std::make_unique<Form1>(services);
    ASSERT_EQ(form->startBeforeShow(), std::nullopt);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QSize actual = form->size();

    c().mnuZoomIn->trigger(); // 110 %: 1013 x 739 pixels of client area still fit
    EXPECT_EQ(form->centralWidget(), form->clientArea());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->width() > actual.width(); }));
    for (const int zoom : {125, 150}) {
        SCOPED_TRACE(zoom);
        c().mnuZoomIn->trigger(); // 1151, then 1382 pixels wide
        auto* scroller = qobject_cast<QScrollArea*>(form->centralWidget());
        ASSERT_NE(scroller, nullptr);
        EXPECT_FALSE(scroller->isHidden());
        EXPECT_EQ(scroller->widget(), form->clientArea());
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->width() <= 1024 && form->height() <= 768; }))
            << form->width() << "x" << form->height();
    }

    c().mnuZoomReset->trigger();
    EXPECT_EQ(form->centralWidget(), form->clientArea());
    EXPECT_TRUE(form->clientArea()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->size() == actual; }))
        << form->width() << "x" << form->height();
}

// At 150 % a click lands on the unit under the pointer as at the actual size, and moving the
// pointer onto a unit finds it where it is drawn.
TEST_F(ZoomTest, AtAZoomPressesReachTheUnitUnderThePointer) {
    world.settings.setValue(kZoomKey, "150");
    startWithStock();
    for (int i = 0; i < 3; ++i) {
        clickRow(c().List1, i);
        QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    }
    const TwipsRect band = twipsGeometry(c().strip);
    const auto pixelOf = [&](float x, float y) {
        return QPoint(pixelsAt(x - band.left, 150), pixelsAt(y - band.top, 150));
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
    EXPECT_EQ(world.pointer.moves()[0].x, expected.x);
    EXPECT_EQ(world.pointer.moves()[0].y, expected.y);
}

} // namespace
} // namespace dovrel
