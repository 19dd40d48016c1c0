// SPDX-License-Identifier: GPL-3.0-or-later
// The order of the system calls a whole-file replace makes, seen through the linker's --wrap of fsync
// and rename (see CMakeLists.txt): these calls of the whole executable pass through here.
#include "platform/ReplaceFile.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& callJournal() {
    static std::vector<std::string> calls;
    return calls;
}

} // namespace

extern "C" {
int __real_fsync(int descriptor);
int __real_rename(const char* from, const char* to);

int __wrap_fsync(int descriptor) {
    callJournal().push_back("fsync");
    return __real_fsync(descriptor);
}

int __wrap_rename(const char* from, const char* to) {
    callJournal().push_back("rename");
    return __real_rename(from, to);
}
}

namespace dovrel {
namespace {

// A durable replace has the new bytes on disk before the rename makes them the file, and the rename
// itself on disk (the folder flushed) before it reports success; a regenerable one flushes nothing.
TEST(ReplaceFile, ADurableReplaceFlushesBeforeAndAfterItsRenameARegenerableOneNever) {
    const struct {
        Durability durability;
        std::vector<std::string> calls;
    } cases[] = {
        {Durability::Flushed, {"fsync", "rename", "fsync"}},
        {Durability::Regenerable, {"rename"}},
    };
    for (const auto& c : cases) {
        testing::TempFolder temp;
        const auto target = temp.write("game/ConsistTemplates.bin", "old");
        callJournal().clear();
        ASSERT_TRUE(replaceFile(target, "new", c.durability).ok);
        EXPECT_EQ(callJournal(), c.calls) << static_cast<int>(c.durability);
    }
}

} // namespace
} // namespace dovrel
