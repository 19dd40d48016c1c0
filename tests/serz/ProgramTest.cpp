// SPDX-License-Identifier: GPL-3.0-or-later
// The serz program as the editor runs it. (What a conversion writes on success is compared with the
// codec's own output in test_convert.)

#include "SerzTestData.h"
#include "serz/BinWriter.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace serz {
namespace {

namespace fs = std::filesystem;
using dovrel::testing::TempFolder;
using namespace testing;

// Usage errors exit 2 and a failed conversion 1, each with one line on standard error; a failure names
// the input and where (a byte offset or a line) and writes nothing: no output, no temporary file, an
// earlier output left alone; an output that cannot be replaced is named.
TEST(Program, ExitCodesAndMessagesAndAFailureWritesNothing) {
    const std::string xml = fileText(Vector{"scalars", false}.xml());
    const struct {
        std::vector<std::string> arguments;
        std::map<std::string, std::string> before; // the folder's files ("/" for a folder), kept as they are
        int exitCode;
        std::string message; // the start of standard output when the exit code is 0, else of standard error
    } cases[] = {
        {{"--help"}, {}, 0, "usage: serz PATH\n"},
        {{"--version"}, {}, 0, "serz 1.0.0.204\n"},
        {{}, {}, 2, "serz: missing file argument"},
        {{"a.bin", "b.bin"}, {}, 2, "serz: expected exactly one"},
        {{"Loco.bin"},
         {{"Loco.bin", fileText(Vector{"nested_ids", false}.bin()).substr(0, 100)}},
         1,
         "serz: Loco.bin: byte offset "},
        {{"Loco.bin"},
         {{"Loco.bin", "SERZ\1\0\1\0"}, {"Loco.xml", "earlier output"}},
         1,
         "serz: Loco.bin: byte offset 0: "},
        {{"Loco.xml"}, {{"Loco.xml", xml.substr(0, xml.size() - 15)}}, 1, "serz: Loco.xml: line "},
        {{"Loco.xml"}, {{"Loco.xml", xml}, {"Loco.bin", "/"}}, 1, "serz: Loco.bin: cannot write"},
        {{"Loco.txt"}, {{"Loco.txt", "x"}}, 1, "serz: Loco.txt: unknown extension"},
        {{"Loco.bin"}, {}, 1, "serz: Loco.bin: cannot read: No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const TempFolder folder;
        const fs::path game = folder.gameFolder();
        for (const auto& [name, content] : c.before) {
            content == "/" ? void(fs::create_directory(game / name))
                           : void(folder.write("game/" + name, content));
        }
        std::string command = "cd '" + game.string() + "' && '" SERZ_PROGRAM "'";
        for (const std::string& argument : c.arguments) {
            command += " '" + argument + "'";
        }
        const fs::path out = folder.path() / "out", err = folder.path() / "err";
        const int status =
            std::system((command + " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.exitCode);
        const std::string text = fileText(c.exitCode == 0 ? out : err);
        EXPECT_TRUE(text.starts_with(c.message)) << text;
        EXPECT_TRUE(c.exitCode == 0 || (text.ends_with('\n') && std::ranges::count(text, '\n') == 1)) << text;
        std::map<std::string, std::string> after;
        for (const auto& entry : fs::directory_iterator(game)) {
            after[entry.path().filename().string()] = entry.is_directory() ? "/" : fileText(entry.path());
        }
        EXPECT_EQ(after, c.before);
    }
}

// A file larger than the pieces the program reads and writes converts to what the codec makes of it
// in one string, in both directions.
TEST(Program, ConvertsALargeFileAsTheCodecDoes) {
    Document document{Record::open("r")};
    for (std::uint32_t i = 0; i < 100000; ++i) {
        document.push_back(Record::open("e", i));
        document.push_back(Record::string("s", "text " + std::to_string(i % 5000)));
        document.push_back(Record::close("e"));
    }
    document.push_back(Record::close("r"));
    const std::string bin = writeBin(document).value();
    const std::string xml = convert(Direction::BinToXml, bin).value();
    ASSERT_GT(bin.size(), std::size_t{1} << 20);
    const TempFolder folder;
    const fs::path input = folder.write("Big.bin", bin);
    const std::string command = "'" SERZ_PROGRAM "' '" + input.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(fileText(folder.path() / "Big.xml") == xml);
    fs::remove(input);
    ASSERT_EQ(std::system(("'" SERZ_PROGRAM "' '" + (folder.path() / "Big.xml").string() + "'").c_str()), 0);
    EXPECT_TRUE(fileText(input) == bin);
}

} // namespace
} // namespace serz
