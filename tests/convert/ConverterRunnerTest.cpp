// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ConverterRunner.h"
#include "convert/ConverterLocation.h"
#include "convert/InOrderWork.h"
#include "convert/WorkingFiles.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/FailingFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <latch>
#include <stdexcept>
#include <string>

namespace dovrel {
namespace {
namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;

// The exit status comes back and the path arrives intact (the stand-in writes it into the output); a
// failed start leaves no earlier output behind.
TEST(RunConverter, ReturnsTheExitStatusAndPassesThePathIntact) {
    const struct {
        const char* instruction; // the input's content, read by the stand-in converter
        bool converterExists;
        int expected;
    } cases[] = {{"exit 0", true, 0}, {"abort", true, 254}, {"kill", true, -1}, {"exit 0", false, -1}};
    for (const auto& c : cases) {
        TempFolder temp;
        // A folder name with a space, a double quote and a non-ASCII character.
        const fs::path input = temp.write("Temp dir \"q\" \xC3\xA9/temp.bin", c.instruction);
        const fs::path output = temp.write("Temp dir \"q\" \xC3\xA9/temp.xml", "an earlier run's output");
        DiskFiles files;
        SpawnProcessRunner processes;
        ConverterRunner runner(files, processes,
                               c.converterExists ? fs::path(FAKE_CONVERTER) : temp.path() / "no-serz");
        EXPECT_EQ(runner.RunConverter(input), c.expected) << c.instruction;
        EXPECT_EQ(runner.lastConverterResult(), c.expected) << c.instruction;
        EXPECT_EQ(fileText(output), c.converterExists ? input.string() : "") << c.instruction;
        EXPECT_EQ(fs::exists(output), c.converterExists) << "an earlier output must not survive a failed run";
    }
}

// The bundled converter run inside the editor leaves the same files and ends with the same status as
// the serz program on the same input.
TEST(RunConverter, InProcessWritesWhatTheProgramWritesAndEndsAsItEnds) {
    const std::string broken("SERZ\0\0\1\0\x50\xFF\xFF", 11); // no converter accepts it
    const auto fixture = [](const char* name) {
        return fileText(fs::path(DOVREL_SOURCE_DIR) / "tests/fixtures/serz" / name);
    };
    const std::pair<std::string, const char*> cases[] = {{fixture("floats.bin"), "temp.bin"},
                                                         {fixture("arrays.xml"), "tempc.xml"},
                                                         {fixture("cache_wrap.bin"), "TEMP.BIN"},
                                                         {broken, "temp.bin"},
                                                         {fixture("floats.bin"), "tempc.xml"}};
    for (const auto& [input, workingName] : cases) {
        SCOPED_TRACE(workingName);
        ASSERT_FALSE(input.empty());
        TempFolder temp;
        DiskFiles files;
        SpawnProcessRunner processes;
        ConverterRunner program(files, processes, fs::path(DOVREL_BIN_DIR) / "serz");
        ConverterRunner inProcess(files, processes, "/nowhere/serz", false, ConverterMode::InProcess);
        const fs::path programInput = temp.write(fs::path("program") / workingName, input);
        const fs::path inProcessInput = temp.write(fs::path("inprocess") / workingName, input);
        temp.write(converterOutputFor(inProcessInput).lexically_relative(temp.path()), "an earlier output");

        const int programStatus = program.RunConverter(programInput);
        EXPECT_EQ(inProcess.RunConverter(inProcessInput), programStatus);
        EXPECT_EQ(inProcess.lastConverterResult(), programStatus);
        EXPECT_EQ(fs::exists(converterOutputFor(inProcessInput)), programStatus == 0);
        EXPECT_EQ(fileText(converterOutputFor(inProcessInput)), fileText(converterOutputFor(programInput)));
        EXPECT_EQ(
            std::distance(fs::directory_iterator(inProcessInput.parent_path()), fs::directory_iterator()),
            programStatus == 0 ? 2 : 1)
            << "no temporary file is left";
    }
}

TEST(RunConverter, TheOutputNameFollowsTheInputsExtensionInAnyCase) {
    const std::vector<std::pair<fs::path, fs::path>> cases = {
        {"/t/temp.bin", "/t/temp.xml"},
        {"/t/tempc.xml", "/t/tempc.bin"},
        {"/t/A.BIN", "/t/A.xml"},
        {"/t/a.txt", ""},
        {"/t/bin", ""},
    };
    for (const auto& [input, output] : cases) {
        EXPECT_EQ(converterOutputFor(input), output) << input;
    }
}

TEST(WorkingFiles, TheOldInputGoesEvenWhenTheCopyFails) {
    TempFolder temp;
    DiskFiles real;
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

using namespace std::chrono_literals;

// Job 0 is held until jobs 1 and 2 are done (job 2 starts on the free worker only once job 1's result
// is stored): nothing is ready before job 0, and the results then come in the order given.
TEST(InOrderWork, LaterJobsFinishedFirstWaitForTheEarlierOne) {
    std::latch firstHeld(1);
    std::latch laterDone(1);
    InOrderWork<std::size_t> work(
        3,
        [&](std::size_t index) {
            if (index == 0) {
                firstHeld.wait();
            } else if (index == 2) {
                laterDone.count_down();
            }
            return index;
        },
        2, 3);
    laterDone.wait();
    EXPECT_EQ(work.takeReady(), std::nullopt);
    firstHeld.count_down();
    for (const std::size_t index : {0u, 1u, 2u}) {
        EXPECT_EQ(work.takeNext(nullptr), index);
    }
}

TEST(InOrderWork, TheTakerIsCalledBackWhileItWaitsAndAThrowingTaskGivesTheDefault) {
    std::latch release(1);
    InOrderWork<std::string> work(
        2,
        [&release](std::size_t index) -> std::string {
            release.wait();
            if (index == 1) {
                throw std::runtime_error("out of memory");
            }
            return "done";
        },
        2, 2);
    int waits = 0;
    EXPECT_EQ(work.takeNext(
                  [&] {
                      if (++waits == 3) {
                          release.count_down();
                      }
                  },
                  1ms),
              "done");
    EXPECT_GE(waits, 3);
    EXPECT_EQ(work.takeNext(nullptr), "");
}

} // namespace
} // namespace dovrel
