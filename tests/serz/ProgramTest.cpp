// The serz program as the editor runs it: one line on standard error and nothing written on failure,
// usage errors. (What it writes on success is compared with the codec's own output in test_convert.)

#include "SerzTestData.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

// Runs serz with the arguments (none holds a single quote), standard input closed.
ProgramRun runSerz(const TempFolder& folder, const std::vector<std::string>& arguments) {
    std::string command = "'" SERZ_PROGRAM "'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    const fs::path out = folder.path() / "stdout.txt", err = folder.path() / "stderr.txt";
    const int status =
        std::system((command + " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
    ProgramRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out), readBytes(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}

// Everything in the folder, by file name, sorted.
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

// A failure prints one line naming the input and where, and writes nothing: no output, no temporary
// file, an earlier output left alone; an output that cannot be replaced is named.
TEST(Program, FailuresPrintOneLineAndWriteNothing) {
    const std::string validXml = readBytes(Vector{"nested_ids", false}.xml());
    const std::size_t consist = validXml.find("<cConsist");
    const struct {
        const char* what;
        const char* file;
        std::string content;
        const char* in; // the file already in place of the output, or nothing
        std::string message;
    } cases[] = {
        {"truncated bin", "Loco.bin", readBytes(Vector{"nested_ids", false}.bin()).substr(0, 100), "",
         "Loco.bin: byte offset "},
        {"wrong header", "Loco.bin", "SERZ\1\0\1\0", "Loco.xml", "Loco.bin: byte offset 0: "},
        {"unbalanced XML", "Loco.xml", validXml.substr(0, validXml.size() - 15), "", "Loco.xml: line "},
        {"invalid UTF-8", "Loco.xml", validXml.substr(0, consist) + "\xFF" + validXml.substr(consist), "",
         "Loco.xml: line 3: "},
        {"unknown type", "Loco.xml", xmlHead() + "\t<a d:type=\"sInt24\">1</a>\r\n</cRecordSet>\r\n", "",
         "Loco.xml: line 3: "},
        {"output in the way", "Loco.xml", readBytes(Vector{"scalars", false}.xml()), "Loco.bin/",
         "Loco.bin: cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TempFolder folder;
        const fs::path input = folder.write(fs::path("game") / c.file, c.content);
        const std::string in = c.in;
        if (in.ends_with('/')) {
            fs::create_directory(folder.gameFolder() / in);
        } else if (!in.empty()) {
            folder.write("game/" + in, "earlier output");
        }
        const ProgramRun run = runSerz(folder, {input.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(isOneLine(run.err)) << run.err;
        EXPECT_NE(run.err.find(folder.gameFolder().string() + "/" + c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        if (in.ends_with('/')) {
            EXPECT_TRUE(fs::is_empty(folder.gameFolder() / in));
        } else if (!in.empty()) {
            EXPECT_EQ(readBytes(folder.gameFolder() / in), "earlier output");
        }
        std::vector<std::string> expected{c.file};
        if (!in.empty()) {
            expected.push_back(in.substr(0, in.find('/')));
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(filesIn(folder.gameFolder()), expected);
    }
}

TEST(Program, HelpVersionAndUsageErrors) {
    const TempFolder folder;
    fs::create_directory(folder.gameFolder() / "dir.xml");
    const struct {
        std::vector<std::string> arguments;
        bool ok;
        const char* message; // on standard output when ok, else a line on standard error
    } cases[] = {
        {{"--help"}, true, "usage: serz PATH"},
        {{"--version"}, true, "serz 1.0.0.204\n"},
        {{}, false, "missing file argument"},
        {{"a.bin", "b.bin"}, false, "exactly one"},
        {{(folder.path() / "notes.txt").string()}, false, "unknown extension"},
        {{(folder.path() / "absent.bin").string()}, false, "cannot read: No such file or directory"},
        {{folder.gameFolder().string() + "/dir.xml"}, false, "cannot read"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runSerz(folder, c.arguments);
        EXPECT_EQ(run.exitCode == 0, c.ok) << c.message;
        EXPECT_TRUE(c.ok || isOneLine(run.err)) << run.err;
        EXPECT_NE((c.ok ? run.out : run.err).find(c.message), std::string::npos) << run.out << run.err;
    }
}

} // namespace
} // namespace serz
