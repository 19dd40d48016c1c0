#include "convert/ConverterRunner.h"
#include "convert/ConverterLocation.h"
#include "convert/WorkingFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/FailingFiles.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;

struct RunCase {
    const char* name;
    const char* instruction; // the input's content, read by the stand-in converter
    bool converterExists;
    int expected;
};

class RunConverterTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunConverterTest, ReturnsTheExitStatusAndPassesThePathIntact) {
    const RunCase& c = GetParam();
    TempFolder temp;
    // A folder name with a space, a double quote and a non-ASCII character.
    const fs::path input = temp.write("Temp dir \"q\" \xC3\xA9/temp.bin", c.instruction);
    const fs::path output = input.parent_path() / "temp.xml";
    temp.write(output.lexically_relative(temp.path()), "an earlier run's output");

    QtFiles files;
    SpawnProcessRunner processes;
    const fs::path converter = c.converterExists ? fs::path(FAKE_CONVERTER) : temp.path() / "no-such-serz";
    ConverterRunner runner(files, processes, converter);

    const int result = runner.RunConverter(input);

    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(runner.lastConverterResult(), c.expected);
    if (c.converterExists) {
        EXPECT_EQ(fileText(output), input.string());
    } else {
        EXPECT_FALSE(fs::exists(output)) << "an earlier output must not survive a failed run";
    }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, RunConverterTest,
                         ::testing::Values(RunCase{"success", "exit 0", true, 0},
                                           RunCase{"failure", "exit 3", true, 3},
                                           RunCase{"exitMinusTwo", "abort", true, 254},
                                           RunCase{"killed", "kill", true, -1},
                                           RunCase{"missingConverter", "exit 0", false, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RunConverter, TheOutputNameFollowsTheInputsExtensionInAnyCase) {
    const std::vector<std::pair<fs::path, fs::path>> cases = {
        {"/t/temp.bin", "/t/temp.xml"},
        {"/t/tempc.xml", "/t/tempc.bin"},
        {"/t/A.BIN", "/t/A.xml"},
        {"/t/a.Xml", "/t/a.bin"},
        {"/t/a.txt", ""},
        {"/t/bin", ""},
    };
    for (const auto& [input, output] : cases) {
        EXPECT_EQ(converterOutputFor(input), output) << input;
    }
}

TEST(WorkingFiles, TheOldInputGoesEvenWhenTheCopyFails) {
    TempFolder temp;
    QtFiles real;
    FailingFiles files(real);
    const fs::path working = temp.write("Temp/temp.bin", "previous blueprint");
    const fs::path game = temp.write("game/Scenario.bin", "scenario");

    ASSERT_TRUE(placeWorkingInput(files, game, working).ok);
    EXPECT_EQ(fileText(working), "scenario");

    files.failOn(FailingFiles::Operation::Copy, "temp.bin", "disk full");
    const FileStatus failed = placeWorkingInput(files, game, working);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.reason, "disk full");
    EXPECT_FALSE(fs::exists(working));

    EXPECT_FALSE(placeWorkingInput(real, temp.path() / "game" / "missing.bin", working).ok);
    EXPECT_FALSE(fs::exists(working));
}

TEST(ConverterLocation, VariableOrBesideTheEditor) {
    EXPECT_EQ(converterLocation(std::string("/opt/tools/serz"), "/opt/dovrel/bin"),
              fs::path("/opt/tools/serz"));
    EXPECT_EQ(converterLocation(std::nullopt, "/opt/dovrel/bin"), fs::path("/opt/dovrel/bin/serz"));
    EXPECT_EQ(converterMissingMessage("/opt/dovrel/bin/serz"),
              "serz program not found in /opt/dovrel/bin.\r\n\r\nTerminating.");

    TempFolder temp;
    const fs::path script = temp.write("serz", "#!/bin/sh\n");
    EXPECT_FALSE(isExecutableFile(script));
    fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_TRUE(isExecutableFile(script));
    EXPECT_FALSE(isExecutableFile(temp.path()));
    EXPECT_FALSE(isExecutableFile(temp.path() / "missing"));
}

} // namespace
} // namespace dovrel
