// SPDX-License-Identifier: GPL-3.0-or-later
// The dovrel command line: what each subcommand takes, and the usage errors (exit status 2).
#include "cli/CliArguments.h"
#include "cli/CliTables.h"

#include <gtest/gtest.h>

namespace dovrel::cli {
namespace {

std::variant<CliCommand, std::string> parse(std::vector<std::string_view> arguments) {
    return parseCliArguments(arguments);
}

TEST(CliArgumentsTest, ImportTakesItsFileAndOptions) {
    const auto parsed = parse({"import", "--replace", "a.dovrel-consist", "--name", "New", "--game", "/g"});
    ASSERT_TRUE(std::holds_alternative<CliCommand>(parsed)) << std::get<std::string>(parsed);
    const CliCommand& command = std::get<CliCommand>(parsed);
    EXPECT_EQ(command.subcommand, Subcommand::Import);
    EXPECT_EQ(command.file, "a.dovrel-consist");
    EXPECT_EQ(command.name, "New");
    EXPECT_TRUE(command.replace);
    EXPECT_FALSE(command.skipMissing);
    EXPECT_EQ(command.gameFolder, std::filesystem::path("/g"));
}

TEST(CliArgumentsTest, ATextAfterTwoDashesMayStartWithADash) {
    const auto parsed = parse({"where-used", "--format", "json", "--", "-x"});
    ASSERT_TRUE(std::holds_alternative<CliCommand>(parsed));
    EXPECT_EQ(std::get<CliCommand>(parsed).text, "-x");
    EXPECT_EQ(std::get<CliCommand>(parsed).format, OutputFormat::Json);
}

struct UsageError {
    std::vector<std::string_view> arguments;
    const char* reason;
};

class CliUsageErrorTest : public ::testing::TestWithParam<UsageError> {};

TEST_P(CliUsageErrorTest, IsRefused) {
    const auto parsed = parse(GetParam().arguments);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
    EXPECT_NE(std::get<std::string>(parsed).find(GetParam().reason), std::string::npos)
        << std::get<std::string>(parsed);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CliUsageErrorTest,
    ::testing::Values(UsageError{{}, "subcommand is needed"}, UsageError{{"list"}, "unknown subcommand"},
                      UsageError{{"stock", "--format", "xml"}, "tsv or json"},
                      UsageError{{"stock", "--format"}, "needs a value"},
                      UsageError{{"stock", "--replace"}, "unknown option"},
                      UsageError{{"consists", "--user", "--scenarios"}, "exclude each other"},
                      UsageError{{"where-used"}, "is needed"}, UsageError{{"export", "a", "b"}, "unexpected"},
                      UsageError{{"export", ""}, "must not be empty"},
                      UsageError{{"stock", "extra"}, "unexpected"}));

TEST(CliTablesTest, TsvFieldsNeverSplitAFieldOrALine) {
    EXPECT_EQ(tsvField("a\tb\nc\rd\\e"), "a b c d\\e");
}

} // namespace
} // namespace dovrel::cli
