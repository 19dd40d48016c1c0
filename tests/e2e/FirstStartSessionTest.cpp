// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/EditorProcess.h"

#include <gtest/gtest.h>
#include <sstream>

namespace dovrel {
namespace {

using testing::EditorProcess;
using testing::TempFolder;

const std::string kRefusal = "Program requires a screen resolution of 1024 x 768 or greater.Terminating.";

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
        {1024, 768, 1, 1, true},  {1024, 768, 2, 1, true},     {1023, 768, 1, 1, false},
        {1023, 768, 2, 1, false}, {1024, 767, 1.25, 1, false}, {1366, 768, 1.25, 1, true},
        {512, 384, 1, 2, true},   {511, 384, 1, 2, false},
    };
    for (const ScreenCase& c : cases) {
        TempFolder temp;
        EditorProcess editor(temp);
        std::ostringstream json;
        json << R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": )" << c.width << R"(, "height": )"
             << c.height << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" << c.ratio << "}]}";
        editor.setEnvironment("QT_QPA_PLATFORM",
                              "offscreen:configfile=" + temp.write("screen.json", json.str()).string());
        std::ostringstream scale;
        scale << c.scale;
        editor.setEnvironment("QT_SCALE_FACTOR", scale.str());
        const auto result = editor.runScript("close\n");
        const std::string at = json.str() + " at " + scale.str();
        EXPECT_EQ(result.exitCode, c.starts ? 0 : 1) << at << "\n" << result.standardError;
        EXPECT_EQ(result.standardError.find(kRefusal) != std::string::npos, !c.starts) << at;
    }
}

} // namespace
} // namespace dovrel
