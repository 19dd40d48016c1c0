// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QJsonArray>
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
        const QJsonObject controls = editor.readDump()["controls"].toObject();
        // Arrays taken by value: a reference into the temporary objects would outlive them.
        return std::make_pair(controls["List1"].toObject()["items"].toArray(),
                              controls["List2"].toObject()["items"].toArray());
    };
    const auto before = lists("");
    EXPECT_FALSE(before.first.isEmpty());
    EXPECT_EQ(lists("click mnuFindUnit\ntype txtFindUnit 66\ntype txtFindUnit\n"), before);
}

// A copy already running on the program folder holds its lock: a second one ends at once, silently.
TEST(ScriptSession, ASecondCopySharingTheProgramFolderEndsSilently) {
    TempFolder temp;
    std::filesystem::create_directories(temp.programFolder());
    const int running =
        ::open((temp.programFolder() / "dovrel-consist-editor.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX | LOCK_NB), 0);
    EditorProcess editor(temp);
    const auto result = editor.runScript("dump\n");
    ::close(running);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError.find("message"), std::string::npos) << result.standardError;
}

} // namespace
} // namespace dovrel
