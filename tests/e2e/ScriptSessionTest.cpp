// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/FrontRequests.h"
#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QProcess>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace dovrel {
namespace {

using testing::EditorProcess;
using testing::TempFolder;
using testing::unit;

// An addition left as it was opened changes nothing: the find bar, opened, typed into and emptied
// again, gives back both equipment lists byte for byte.
TEST(ScriptSession, TheFindBarEmptiedAgainGivesBackTheListsUnchanged) {
    TempFolder temp;
    std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
    std::filesystem::create_directories(temp.gameFolder() / "Assets");
    temp.write(
        "program/equipmentlist.txt",
        testing::cacheText({unit("diesel", "Class 66", "Acme", "Freight"), unit("electric", "Class 90"),
                            unit("diesel", "Class 66", "Zed", "Heritage"), unit("freight", "Coal Hopper")}));
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    const auto lists = [&editor](const std::string& script) {
        const auto result = editor.runScript(script + "dump " + editor.dumpFile().string() + "\n");
        EXPECT_EQ(result.exitCode, 0) << result.standardError;
        const QJsonObject controls = editor.readDump()[QLatin1String("controls")].toObject();
        // Arrays taken by value: a reference into the temporary objects would outlive them.
        return std::make_pair(controls[QLatin1String("List1")].toObject()[QLatin1String("items")].toArray(),
                              controls[QLatin1String("List2")].toObject()[QLatin1String("items")].toArray());
    };
    const auto before = lists("");
    EXPECT_FALSE(before.first.isEmpty());
    EXPECT_EQ(lists("click mnuFindUnit\ntype txtFindUnit 66\ntype txtFindUnit\n"), before);
}

// A copy already running on the program folder holds its lock: a second one asks it to come to the
// front through the socket in the runtime folder, then ends at once, silently.
TEST(ScriptSession, ASecondCopySharingTheProgramFolderBringsTheFirstForwardAndEndsSilently) {
    TempFolder temp;
    std::filesystem::create_directories(temp.programFolder());
    const int running =
        ::open((temp.programFolder() / "dovrel-consist-editor.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX | LOCK_NB), 0);
    const std::filesystem::path runtime = temp.path() / "runtime";
    std::filesystem::create_directories(runtime);
    int requests = 0;
    const FrontRequests first(frontRequestSocket(runtime.string(), temp.programFolder()),
                              [&requests] { ++requests; });
    EditorProcess editor(temp);
    editor.setEnvironment("XDG_RUNTIME_DIR", runtime.string());
    const auto result = editor.runScript("dump\n");
    EXPECT_TRUE(QTest::qWaitFor([&requests] { return requests == 1; }));
    ::close(running);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError.find("message"), std::string::npos) << result.standardError;
}

// --help and --version need no display; an argument the editor does not take is answered with the
// usage on standard error and status 2, whatever else the line holds.
TEST(ScriptSession, TheCommandLineIsAnsweredWithoutADisplay) {
    const std::string usage = "usage: dovrel-consist-editor [--script FILE]\n"
                              "       dovrel-consist-editor --set-game-folder DIR\n"
                              "       dovrel-consist-editor --help | --version\n";
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string outputStart;
        std::string errorStart;
    } cases[] = {
        {{"--help"}, 0, usage, ""},
        {{"--version"}, 0, "dovrel-consist-editor 1.0.0.204\n", ""},
        {{"--bogus"}, 2, "", "dovrel-consist-editor: unknown option --bogus\n" + usage},
        {{"-platform", "offscreen", "extra"}, 2, "", "dovrel-consist-editor: unknown option extra\n" + usage},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        environment.remove(QString::fromLatin1(display));
    }
    for (const auto& c : cases) {
        QStringList arguments;
        for (const std::string& argument : c.arguments) {
            arguments << QString::fromStdString(argument);
        }
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        QProcess editor;
        editor.setProcessEnvironment(environment);
        editor.start(QString::fromStdString(testing::editorExecutable().string()), arguments);
        ASSERT_TRUE(editor.waitForFinished(60000));
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(editor.exitCode(), c.exitCode);
        const std::string output = editor.readAllStandardOutput().toStdString();
        const std::string error = editor.readAllStandardError().toStdString();
        EXPECT_EQ(output.substr(0, c.outputStart.size()), c.outputStart) << output;
        EXPECT_EQ(output.empty(), c.outputStart.empty()) << output;
        EXPECT_EQ(error.substr(0, c.errorStart.size()), c.errorStart) << error;
        EXPECT_EQ(error.empty(), c.errorStart.empty()) << error;
    }
}

} // namespace
} // namespace dovrel
