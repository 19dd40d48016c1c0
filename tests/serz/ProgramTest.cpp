// The serz program as the editor runs it: one argument, output beside the input, one line on
// standard error and nothing written on failure.

#include "SerzTestData.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

extern char** environ;

namespace serz {
namespace {

namespace fs = std::filesystem;
using dovrel::testing::TempFolder;
using namespace testing;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs serz with the arguments, standard input closed, both outputs captured in files.
ProgramRun runSerz(const TempFolder& folder, const std::vector<std::string>& arguments) {
    const fs::path outFile = folder.path() / "stdout.txt";
    const fs::path errFile = folder.path() / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv{SERZ_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (auto& a : argv) {
        pointers.push_back(a.data());
    }
    pointers.push_back(nullptr);
    pid_t pid = 0;
    ProgramRun run;
    const int spawned = posix_spawn(&pid, SERZ_PROGRAM, &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << SERZ_PROGRAM;
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readBytes(outFile);
    run.err = readBytes(errFile);
    fs::remove(outFile);
    fs::remove(errFile);
    return run;
}

// Everything in the game folder, by file name, sorted.
std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool isOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}

TEST(Program, HelpAndVersion) {
    const TempFolder folder;
    const ProgramRun help = runSerz(folder, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: serz PATH"), std::string::npos);
    const ProgramRun version = runSerz(folder, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "serz 1.0.0.204\n");
}

TEST(Program, ConvertsBothWaysBesideTheInput) {
    const TempFolder folder;
    const fs::path game = folder.gameFolder();
    const Vector vector{"names_and_escapes", true};
    fs::copy_file(vectorBin(vector), game / "Engine.bin");
    const ProgramRun toXml = runSerz(folder, {(game / "Engine.bin").string()});
    EXPECT_EQ(toXml.exitCode, 0) << toXml.err;
    EXPECT_EQ(toXml.err, "");
    EXPECT_EQ(readBytes(game / "Engine.xml"), readBytes(vectorXml(vector)));

    fs::remove(game / "Engine.bin");
    const ProgramRun toBin = runSerz(folder, {(game / "Engine.xml").string()});
    EXPECT_EQ(toBin.exitCode, 0) << toBin.err;
    EXPECT_EQ(readBytes(game / "Engine.bin"), readBytes(vectorBinFromXml(vector)));
    EXPECT_EQ(filesIn(game), (std::vector<std::string>{"Engine.bin", "Engine.xml"}));
}

TEST(Program, ExtensionsInAnyCaseAndAnExistingOutputIsReplaced) {
    const TempFolder folder;
    const fs::path game = folder.gameFolder();
    const Vector vector{"scalars", false};
    fs::copy_file(vectorBin(vector), game / "Wagon.BiN");
    folder.write("game/Wagon.xml", "old content");
    const ProgramRun run = runSerz(folder, {(game / "Wagon.BiN").string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readBytes(game / "Wagon.xml"), readBytes(vectorXml(vector)));

    fs::copy_file(vectorXml(vector), game / "Coach.XML");
    EXPECT_EQ(runSerz(folder, {(game / "Coach.XML").string()}).exitCode, 0);
    EXPECT_EQ(readBytes(game / "Coach.bin"), readBytes(vectorBin(vector)));
}

struct FailureCase {
    const char* what;
    const char* file;
    std::string content;
    const char* where;
};

TEST(Program, FailuresPrintOneLineAndWriteNothing) {
    const std::string validXml = readBytes(vectorXml({"nested_ids", false}));
    const FailureCase cases[] = {
        {"truncated bin", "Loco.bin", readBytes(vectorBin({"nested_ids", false})).substr(0, 100),
         "byte offset "},
        {"wrong header", "Loco.bin", "SERZ\1\0\1\0", "byte offset 0: "},
        {"unbalanced XML", "Loco.xml", validXml.substr(0, validXml.size() - 15), "line "},
        {"invalid UTF-8", "Loco.xml",
         validXml.substr(0, validXml.find("<cConsist")) + "\xFF" +
             validXml.substr(validXml.find("<cConsist")),
         "line 3: "},
        {"unknown type", "Loco.xml", xmlHead() + "\t<a d:type=\"sInt24\">1</a>\r\n</cRecordSet>\r\n",
         "line 3: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder folder;
        const fs::path input = folder.write(fs::path("game") / c.file, c.content);
        const ProgramRun run = runSerz(folder, {input.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(isOneLine(run.err)) << run.err;
        EXPECT_NE(run.err.find(input.string() + ": " + c.where), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(filesIn(folder.gameFolder()), std::vector<std::string>{c.file})
            << "no output, no temporary file";
    }
}

TEST(Program, FailureLeavesAnExistingOutputAlone) {
    const TempFolder folder;
    const fs::path input = folder.write("game/Loco.bin", "SERZ");
    folder.write("game/Loco.xml", "earlier output");
    const ProgramRun run = runSerz(folder, {input.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(readBytes(folder.gameFolder() / "Loco.xml"), "earlier output");
    EXPECT_EQ(filesIn(folder.gameFolder()), (std::vector<std::string>{"Loco.bin", "Loco.xml"}));
}

TEST(Program, UsageErrorsAreClearLines) {
    const TempFolder folder;
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{}, "missing file argument"},
        {{"a.bin", "b.bin"}, "exactly one"},
        {{(folder.path() / "notes.txt").string()}, "unknown extension"},
        {{(folder.path() / "absent.bin").string()}, "cannot read: No such file or directory"},
        {{folder.gameFolder().string() + "/dir.xml"}, "cannot read"},
    };
    fs::create_directory(folder.gameFolder() / "dir.xml");
    for (const auto& c : cases) {
        const ProgramRun run = runSerz(folder, c.arguments);
        EXPECT_NE(run.exitCode, 0) << c.message;
        EXPECT_TRUE(isOneLine(run.err)) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

TEST(Program, AnOutputThatCannotBeReplacedIsAFailureNamingIt) {
    const TempFolder folder;
    const fs::path input = folder.write("game/Loco.xml", readBytes(vectorXml({"scalars", false})));
    fs::create_directory(folder.gameFolder() / "Loco.bin"); // a folder is in the output's way
    const ProgramRun run = runSerz(folder, {input.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(isOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("Loco.bin: cannot write"), std::string::npos) << run.err;
    EXPECT_EQ(filesIn(folder.gameFolder()), (std::vector<std::string>{"Loco.bin", "Loco.xml"}));
    EXPECT_TRUE(fs::is_empty(folder.gameFolder() / "Loco.bin"));
}

} // namespace
} // namespace serz
