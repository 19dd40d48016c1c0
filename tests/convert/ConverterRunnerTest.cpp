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

struct InProcessCase {
    const char* name;
    const char* fixture; // below tests/fixtures/serz, or empty for bytes no converter accepts
    const char* workingName;
};

class InProcessConverterTest : public ::testing::TestWithParam<InProcessCase> {};

// The bundled converter run inside the editor leaves the same files and ends with the same status as
// the serz program on the same input.
TEST_P(InProcessConverterTest, WritesWhatTheProgramWritesAndEndsAsItEnds) {
    const InProcessCase& c = GetParam();
    const std::string input = *c.fixture == '\0'
                                  ? std::string("SERZ\0\0\1\0\x50\xFF\xFF", 11)
                                  : fileText(fs::path(DOVREL_SOURCE_DIR) / "tests/fixtures/serz" / c.fixture);
    ASSERT_FALSE(input.empty());
    TempFolder temp;
    QtFiles files;
    SpawnProcessRunner processes;
    ConverterRunner program(files, processes, fs::path(DOVREL_BIN_DIR) / "serz");
    ConverterRunner inProcess(files, processes, "/nowhere/serz", false, ConverterMode::InProcess);
    const fs::path programInput = temp.write(fs::path("program") / c.workingName, input);
    const fs::path inProcessInput = temp.write(fs::path("inprocess") / c.workingName, input);
    temp.write(converterOutputFor(inProcessInput).lexically_relative(temp.path()), "an earlier output");

    const int programStatus = program.RunConverter(programInput);
    const int inProcessStatus = inProcess.RunConverter(inProcessInput);

    EXPECT_EQ(inProcessStatus, programStatus);
    EXPECT_EQ(inProcess.lastConverterResult(), programStatus);
    EXPECT_EQ(fs::exists(converterOutputFor(inProcessInput)), programStatus == 0);
    EXPECT_EQ(fileText(converterOutputFor(inProcessInput)), fileText(converterOutputFor(programInput)));
    EXPECT_EQ(std::distance(fs::directory_iterator(inProcessInput.parent_path()), fs::directory_iterator()),
              programStatus == 0 ? 2 : 1)
        << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Files, InProcessConverterTest,
                         ::testing::Values(InProcessCase{"binaryToXml", "floats.bin", "temp.bin"},
                                           InProcessCase{"xmlToBinary", "arrays.xml", "tempc.xml"},
                                           InProcessCase{"upperCaseExtension", "cache_wrap.bin", "TEMP.BIN"},
                                           InProcessCase{"brokenBinary", "", "temp.bin"},
                                           InProcessCase{"brokenXml", "floats.bin", "tempc.xml"}),
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
