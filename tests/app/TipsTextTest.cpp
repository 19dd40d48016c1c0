#include "app/TipsText.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

// One leading and two trailing line breaks; every description starts at column 22.
TEST(TipsText, TwentyCommandsWithTheirDescriptionsInOneColumn) {
    const std::string text = tipsText();
    EXPECT_TRUE(text.starts_with("\r\nDada Rezavi Panel\r\n-----------------\r\n"));
    EXPECT_TRUE(text.ends_with("Clear the consist line\r\n\r\n"));
    EXPECT_FALSE(text.ends_with("\r\n\r\n\r\n"));
    std::vector<std::string> lines = splitAt(text, "\r\n");
    // "", two header lines, twenty commands, then the two empty pieces after the final breaks.
    ASSERT_EQ(lines.size(), 1u + 2u + 20u + 2u);
    for (std::size_t i = 3; i < 23; ++i) {
        const std::string& line = lines[i];
        ASSERT_GT(line.size(), 22u) << line;
        EXPECT_EQ(line[20], ' ') << line;
        EXPECT_NE(line[21], ' ') << line;
        EXPECT_NE(line.substr(0, 21).find_first_not_of(' '), std::string::npos) << line;
    }
}

} // namespace
} // namespace dovrel
