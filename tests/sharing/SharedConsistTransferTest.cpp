// SPDX-License-Identifier: GPL-3.0-or-later
// Export Consist... and Import Consist... below the window: a consist line written as a file loads
// back into a line of the installed units, with one message for what could not be loaded.
#include "sharing/SharedConsistTransfer.h"
#include "platform/DiskFiles.h"
#include "support/CatalogueRecords.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::recordLine;
using testing::unit;

const std::string kClass20 = recordLine(unit("diesel", "Class 20"));
const std::string kHopper = recordLine(unit("freight", "Hopper"));

TEST(SharedConsistTransferTest, AWrittenLineLoadsBackWithoutTheUnitsNotInstalled) {
    const testing::TempFolder folder;
    DiskFiles files;
    const std::filesystem::path file = folder.path() / "line.dovrel-consist";
    ASSERT_TRUE(
        writeSharedConsist(files, file, "Line", {kClass20 + "|0", kHopper + "|1", kClass20 + "|1"}).ok);

    const SharedConsistLoad whole = loadSharedConsist(file, {kHopper, kClass20});
    EXPECT_EQ(whole.name, "Line");
    EXPECT_EQ(whole.units, (std::vector<std::string>{kClass20 + "|0", kHopper + "|1", kClass20 + "|1"}));
    EXPECT_FALSE(whole.message);

    const SharedConsistLoad part = loadSharedConsist(file, {kHopper});
    EXPECT_EQ(part.units, std::vector<std::string>{kHopper + "|1"});
    ASSERT_TRUE(part.message);
    EXPECT_TRUE(part.message->starts_with("2 of the 3 units are not installed")) << *part.message;
}

TEST(SharedConsistTransferTest, NothingLoadsFromABrokenFileOrOneWithoutInstalledUnits) {
    const testing::TempFolder folder;
    DiskFiles files;
    const std::filesystem::path broken = folder.write("broken.dovrel-consist", "{\"format\": ");
    const SharedConsistLoad unread = loadSharedConsist(broken, {kHopper});
    EXPECT_TRUE(unread.units.empty());
    ASSERT_TRUE(unread.message);
    EXPECT_NE(unread.message->find("cannot be imported: the file is not valid JSON"), std::string::npos)
        << *unread.message;

    const std::filesystem::path file = folder.path() / "line.dovrel-consist";
    ASSERT_TRUE(writeSharedConsist(files, file, "Line", {kClass20 + "|0"}).ok);
    const SharedConsistLoad none = loadSharedConsist(file, {kHopper});
    EXPECT_TRUE(none.units.empty());
    ASSERT_TRUE(none.message);
    EXPECT_NE(none.message->find("None of the units"), std::string::npos);
}

} // namespace
} // namespace dovrel
