#include "platform/doubles/FailingFiles.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Every byte is written, the permissions kept, no temporary file left; a missing file is created; a
// link's target is replaced and the link kept.
TEST(ReplaceFile, WritesEveryByteKeepsThePermissionsAndLinks) {
    TempFolder temp;
    QtFiles files;
    const fs::path target = temp.write("game/ConsistTemplates.bin", "old");
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, permissions);
    const std::string bytes("SERZ\0\0\1\0\xFF\r\n", 11);
    const FileStatus status = files.replace(target, bytes);
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(fileText(target), bytes);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, permissions);
    EXPECT_EQ(namesIn(target.parent_path()), std::vector<std::string>{"ConsistTemplates.bin"});

    ASSERT_TRUE(files.replace(temp.path() / "program" / "equipmentlist.txt", "a|b").ok);
    EXPECT_EQ(fileText(temp.path() / "program" / "equipmentlist.txt"), "a|b");

    const fs::path real = temp.write("real/ConsistTemplates.bin", "old");
    const fs::path link = temp.path() / "linked" / "ConsistTemplates.bin";
    fs::create_directories(link.parent_path());
    fs::create_symlink(fs::path("..") / "real" / "ConsistTemplates.bin", link);
    ASSERT_TRUE(files.replace(link, "new").ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileText(real), "new");
}

TEST(ReplaceFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder temp;
    QtFiles real;
    const fs::path target = temp.write("game/ConsistTemplates.bin", "old");

    FailingFiles failing(real);
    failing.failOn(FailingFiles::Operation::Replace, "ConsistTemplates", "No space left on device");
    const FileStatus doubled = failing.replace(target, "new");
    EXPECT_FALSE(doubled.ok);
    EXPECT_EQ(doubled.reason, "No space left on device");
    EXPECT_EQ(failing.failuresRaised(), 1);
    EXPECT_EQ(fileText(target), "old");

    // A real failure: the target's folder does not exist.
    const FileStatus missingFolder = real.replace(temp.path() / "nowhere" / "file.txt", "new");
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_FALSE(missingFolder.reason.empty());
    // A real failure: the target is a folder.
    const FileStatus folderTarget = real.replace(temp.path() / "game", "new");
    EXPECT_FALSE(folderTarget.ok);
    EXPECT_EQ(namesIn(temp.path() / "game"), std::vector<std::string>{"ConsistTemplates.bin"});
}

TEST(Files, CopyRemoveRenameReportFailuresWithReasons) {
    TempFolder temp;
    QtFiles files;
    const fs::path source = temp.write("a.bin", "abc");
    const fs::path copy = temp.write("Temp/temp.bin", "earlier");

    ASSERT_TRUE(files.copy(source, copy).ok);
    EXPECT_EQ(fileText(copy), "abc");
    EXPECT_FALSE(files.copy(temp.path() / "missing.bin", copy).ok);
    EXPECT_EQ(fileText(copy), "abc");

    EXPECT_TRUE(files.remove(temp.path() / "missing.bin").ok);
    ASSERT_TRUE(files.rename(copy, temp.path() / "Temp" / "error.xml").ok);
    EXPECT_EQ(fileText(temp.path() / "Temp" / "error.xml"), "abc");
    EXPECT_FALSE(files.rename(copy, temp.path() / "Temp" / "x").ok);
    EXPECT_TRUE(files.remove(temp.path() / "Temp" / "error.xml").ok);
    EXPECT_FALSE(fs::exists(temp.path() / "Temp" / "error.xml"));
}

} // namespace
} // namespace dovrel
