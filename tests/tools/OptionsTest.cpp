// The command line of make-sample-game.

#include "Options.h"

#include <gtest/gtest.h>

namespace dovrel::sample {
namespace {

Options parsed(const std::vector<std::string>& arguments) {
    const auto result = parseOptions(arguments);
    EXPECT_TRUE(std::holds_alternative<Options>(result))
        << (std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "");
    return std::holds_alternative<Options>(result) ? std::get<Options>(result) : Options{};
}

std::string refusal(const std::vector<std::string>& arguments) {
    const auto result = parseOptions(arguments);
    EXPECT_TRUE(std::holds_alternative<std::string>(result));
    return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "";
}

TEST(Options, FolderAndDefaults) {
    const Options options = parsed({"game"});
    EXPECT_EQ(options.folder, "game");
    EXPECT_EQ(options.seed, 1u);
    EXPECT_EQ(options.units, 60);
    EXPECT_FALSE(options.lowerCase);
    EXPECT_FALSE(options.help);
}

TEST(Options, EveryOptionInAnyOrder) {
    const Options options =
        parsed({"--units", "5000", "out dir", "--lower-case", "--seed", "18446744073709551615"});
    EXPECT_EQ(options.folder, "out dir");
    EXPECT_EQ(options.units, 5000);
    EXPECT_EQ(options.seed, 18446744073709551615ull);
    EXPECT_TRUE(options.lowerCase);
    EXPECT_TRUE(parsed({"--help"}).help);
}

TEST(Options, BadCommandLinesAreRefusedWithTheReason) {
    EXPECT_EQ(refusal({}), "the folder DIR is missing");
    EXPECT_EQ(refusal({"a", "b"}), "only one folder can be given (\"a\" and \"b\")");
    EXPECT_EQ(refusal({"a", "--seed"}), "--seed needs a number");
    EXPECT_EQ(refusal({"a", "--seed", "-1"}), "--seed needs a whole number, not \"-1\"");
    EXPECT_EQ(refusal({"a", "--seed", "18446744073709551616"}),
              "--seed needs a whole number, not \"18446744073709551616\"");
    EXPECT_EQ(refusal({"a", "--units", "0"}), "--units must be from 1 to 100000, not 0");
    EXPECT_EQ(refusal({"a", "--units", "100001"}), "--units must be from 1 to 100000, not 100001");
    EXPECT_EQ(refusal({"a", "--units", " 5"}), "--units needs a whole number, not \" 5\"");
    EXPECT_EQ(refusal({"a", "--lowercase"}), "unknown option --lowercase");
    EXPECT_EQ(refusal({""}), "the folder name is empty");
}

} // namespace
} // namespace dovrel::sample
