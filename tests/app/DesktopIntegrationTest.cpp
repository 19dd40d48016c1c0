// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's options and what ties the windows to the installed menu entry.
#include "app/CommandLineOptions.h"
#include "app/DesktopIdentity.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QIcon>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <vector>

namespace dovrel {
namespace {

// The editor's options with their arguments and Qt's standard ones pass; anything else is named.
TEST(CommandLine, AnArgumentNeitherTheEditorsNorQtsIsUnknown) {
    const struct {
        std::vector<std::string_view> arguments;
        std::optional<std::string> unknown;
    } cases[] = {
        {{}, std::nullopt},
        {{"--script", "s.txt"}, std::nullopt},
        {{"--script", "--help"}, std::nullopt}, // a script named "--help"
        {{"--set-game-folder", "/games/Vantor"}, std::nullopt},
        {{"-platform", "offscreen", "--script", "s.txt"}, std::nullopt},
        {{"--platform", "xcb", "-style=Fusion", "-reverse", "--stylesheet", "a.qss"}, std::nullopt},
        {{"-qwindowgeometry", "800x600", "-qmljsdebugger=port:1234", "-display", ":1"}, std::nullopt},
        {{"--bogus"}, "--bogus"},
        {{"-h"}, "-h"},
        {{"-help"}, "-help"},
        {{"-script", "s.txt"}, "-script"},
        {{"--script", "s.txt", "extra"}, "extra"},
        {{"-platform", "offscreen", "--lowercase", "--help"}, "--lowercase"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(unknownArgument(c.arguments), c.unknown) << (c.arguments.empty() ? "" : c.arguments[0]);
    }
}

// The desktop entry as key=value lines.
std::map<std::string, std::string> desktopEntry() {
    std::map<std::string, std::string> entry;
    std::istringstream lines(
        testing::fileText(DOVREL_SOURCE_DIR "/packaging/org.dovrel.ConsistEditor.desktop"));
    for (std::string line; std::getline(lines, line);) {
        if (const std::size_t equals = line.find('='); equals != std::string::npos && line[0] != '#') {
            entry[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return entry;
}

// The windows carry the name of the menu entry (Wayland's app id), the window class the entry names
// as StartupWMClass (X11's WM_CLASS is the application's name), and the program's icon, built in
// where no icon theme has it.
TEST(DesktopIdentity, TheWindowsBelongToTheInstalledMenuEntry) {
    joinDesktop();
    const std::map<std::string, std::string> entry = desktopEntry();
    ASSERT_TRUE(entry.contains("StartupWMClass"));
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), entry.at("Icon"));
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), entry.at("StartupWMClass"));
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
}

} // namespace
} // namespace dovrel
