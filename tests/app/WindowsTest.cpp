#include "app/Form1.h"
#include "app/SecondaryWindows.h"
#include "support/AppWorld.h"

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
