// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's options and what ties the windows to the installed menu entry.
#include "app/CommandLineOptions.h"
#include "app/DesktopIdentity.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QIcon>
#include <gtest/gtest.h>
#include <vector>

namespace dovrel {
namespace {

// The editor's options with their arguments and Qt's standard ones pass; anything else is named.
TEST(CommandLine, AnArgumentNeitherTheEditorsNorQtsIsUnknown) {
    const std::pair<std::vector<std::string_view>, std::optional<std::string>> cases[] = {
        {{"--script", "--help"}, std::nullopt}, // a script named "--help"
        {{"-platform", "offscreen", "--set-game-folder", "/games/Vantor"}, std::nullopt},
        {{"--platform", "xcb", "-style=Fusion", "-reverse", "-qwindowgeometry", "800x600", "-display", ":1"},
         std::nullopt},
        {{"--bogus"}, "--bogus"},
        {{"-help"}, "-help"},
        {{"-script", "s.txt"}, "-script"},
        {{"--script", "s.txt", "extra"}, "extra"},
        {{"-platform", "offscreen", "--lowercase", "--help"}, "--lowercase"},
    };
    for (const auto& [arguments, unknown] : cases) {
        EXPECT_EQ(unknownArgument(arguments), unknown) << arguments[0];
    }
}

// The windows carry the menu entry's name (Wayland's app id), its StartupWMClass (X11's WM_CLASS) and
// the program's icon, built in where no icon theme has it.
TEST(DesktopIdentity, TheWindowsBelongToTheInstalledMenuEntry) {
    joinDesktop();
    const std::string entry =
        testing::fileText(DOVREL_SOURCE_DIR "/packaging/org.dovrel.ConsistEditor.desktop");
    EXPECT_NE(entry.find("\nIcon=" + QGuiApplication::desktopFileName().toStdString() + "\n"),
              std::string::npos);
    EXPECT_NE(entry.find("\nStartupWMClass=" + QCoreApplication::applicationName().toStdString() + "\n"),
              std::string::npos);
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
}

} // namespace
} // namespace dovrel
