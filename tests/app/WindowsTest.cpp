#include "app/Form1.h"
#include "app/SecondaryWindows.h"
#include "support/AppWorld.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

class WindowsTest : public ::testing::Test {
protected:
    testing::AppWorld world;
    Form1 form{world.services()};
};

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

TEST_F(WindowsTest, SecondaryWindowsAndTheFilterStartHiddenAndOpenOnceFromTheMenu) {
    const NamedControls& named = form.namedControls();
    for (const char* hidden : {"Form2", "Form3", "Frame4", "chkCoupler[0]"}) {
        EXPECT_FALSE(named.find(hidden)->visible()) << hidden;
    }
    EXPECT_TRUE(named.find("chkCoupler[0]")->checked());
    form.controls().mnuTips->trigger();
    form.controls().mnuTips->trigger();
    form.controls().mnuAbout->trigger();
    EXPECT_TRUE(named.find("Form3")->visible());
    EXPECT_TRUE(named.find("Form2")->visible());
    int tipsWindows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        tipsWindows += window->objectName() == QStringLiteral("Form3") && window->isVisible() ? 1 : 0;
    }
    EXPECT_EQ(tipsWindows, 1);
    // The Tips box keeps the text as set, CR LF included.
    EXPECT_TRUE(named.find("Form3.Text1")->text().starts_with("\r\nDada Rezavi Panel\r\n"));
    EXPECT_EQ(form.tips().text()->font().family(), QStringLiteral("Courier New"));
}

} // namespace
} // namespace dovrel
