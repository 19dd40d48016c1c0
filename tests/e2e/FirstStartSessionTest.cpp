// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"
#include "support/SteamHome.h"

#include <QJsonArray>
#include <gtest/gtest.h>
#include <sstream>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;
using testing::unit;

const std::string kRefusal = "Program requires a screen resolution of 1024 x 768 or greater.Terminating.";

// An offscreen screen of the platform's size; `ratio` is the platform's own pixel ratio (a Wayland
// output's scale), which makes the platform size device-independent.
fs::path writeScreen(const TempFolder& temp, int width, int height, double ratio = 1) {
    std::ostringstream json;
    json << R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": )" << width << R"(, "height": )" << height
         << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" << ratio << "}]}";
    return temp.write("screen.json", json.str());
}

void useScreen(EditorProcess& editor, const fs::path& screen, double scale) {
    editor.setEnvironment("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.string());
    std::ostringstream factor;
    factor << scale;
    editor.setEnvironment("QT_SCALE_FACTOR", factor.str());
}

struct ScreenCase {
    int width;
    int height;
    double scale; // QT_SCALE_FACTOR: the platform size is in real pixels
    double ratio; // the platform's pixel ratio: the platform size is device-independent
    bool starts;
};

// The check counts real pixels whatever the scale: 1024 x 768 of them pass, one fewer fails.
TEST(FirstStartSession, TheScreenCheckCountsRealPixelsAtEveryScale) {
    const std::vector<ScreenCase> cases = {
        {1024, 768, 1, 1, true},    {1024, 768, 1.25, 1, true}, {1024, 768, 1.5, 1, true},
        {1024, 768, 2, 1, true},    {1023, 768, 1, 1, false},   {1023, 768, 1.25, 1, false},
        {1023, 768, 1.5, 1, false}, {1023, 768, 2, 1, false},   {1024, 767, 1.25, 1, false},
        {1024, 767, 2, 1, false},   {1920, 1080, 1.5, 1, true}, {1366, 768, 1.25, 1, true},
        {512, 384, 1, 2, true},     {511, 384, 1, 2, false},
    };
    for (const ScreenCase& c : cases) {
        TempFolder temp;
        EditorProcess editor(temp);
        useScreen(editor, writeScreen(temp, c.width, c.height, c.ratio), c.scale);
        const auto result = editor.runScript("close\n");
        const std::string at = std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                               std::to_string(c.scale) + " ratio " + std::to_string(c.ratio);
        EXPECT_EQ(result.exitCode, c.starts ? 0 : 1) << at << "\n" << result.standardError;
        EXPECT_EQ(result.standardError.find(kRefusal) != std::string::npos, !c.starts) << at;
    }
}

// 1366 x 768 at 125 %: the window is higher than the screen; the controls at its bottom are still
// there to be used, and the window's own layout is the one a large screen shows.
TEST(FirstStartSession, OnALaptopScreenAt125PercentTheBottomControlsWork) {
    TempFolder temp;
    fs::create_directories(temp.gameFolder() / "Content" / "Routes");
    fs::create_directories(temp.gameFolder() / "Assets");
    temp.write("program/equipmentlist.txt",
               testing::cacheText({unit("diesel", "Class 66"), unit("freight", "Coal Hopper")}));
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    const std::string script =
        "choose List2 #0\nclick butDisplayWagon\ndump " + editor.dumpFile().string() + "\n";
    const auto controlsOn = [&](double scale, int width, int height) {
        useScreen(editor, writeScreen(temp, width, height), scale);
        const auto result = editor.runScript(script);
        EXPECT_EQ(result.exitCode, 0) << result.standardError;
        const QJsonObject dump = editor.readDump();
        EXPECT_TRUE(dump["messages"].toArray().isEmpty());
        return dump["controls"].toObject();
    };
    const QJsonObject laptop = controlsOn(1.25, 1366, 768);
    const QJsonObject details = laptop["Form4"].toObject();
    EXPECT_TRUE(details["visible"].toBool());
    EXPECT_EQ(laptop["Form4.ListView1"].toObject()["rows"].toArray().size(), 1);
    const QJsonObject large = controlsOn(1, 1280, 1024);
    for (const char* name : {"butDisplayWagon", "butDisplayLoco", "ListView1", "Label8", "Frame2"}) {
        EXPECT_EQ(laptop[name], large[name]) << name;
    }
}

// A home whose Steam library holds the game: a session offers it first. A script's answers start
// with its first line, so the start-up question is closed with No and the hint follows.
TEST(FirstStartSession, TheGameInTheHomesSteamLibraryIsOfferedAtStart) {
    TempFolder temp;
    const fs::path game = testing::steamFolderIn(temp.path() / "home") / "steamapps/common/Vantor";
    testing::makeSteamGame(game);
    EditorProcess editor(temp);
    const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonArray messages = editor.readDump()["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    const QJsonObject offer = messages[0].toObject();
    EXPECT_EQ(offer["text"].toString().toStdString(),
              "The game was found in:\r\n\r\n" + game.string() + "\r\n\r\nUse this game folder?");
    EXPECT_EQ(offer["icon"].toString(), QStringLiteral("question"));
    EXPECT_EQ(offer["buttons"].toString(), QStringLiteral("YesNo"));
    EXPECT_EQ(offer["answer"].toString(), QStringLiteral("No"));
    EXPECT_TRUE(messages[1].toObject()["text"].toString().startsWith(QStringLiteral("Important!")));
}

} // namespace
} // namespace dovrel
