#include "SampleRun.h"

#include "support/TempFolder.h"

#include "core/TextRules.h"
#include "serz/Conversion.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace dovrel::testing {

namespace fs = std::filesystem;

namespace {

const std::string kProgram = std::string(DOVREL_BIN_DIR) + "/make-sample-game";

bool endsWithBin(const std::string& path) {
    return path.size() >= 4 && asciiLower(std::string_view(path).substr(path.size() - 4)) == ".bin";
}

} // namespace

ProgramRun runMakeSampleGame(const std::vector<std::string>& arguments) {
    const TempFolder outputs;
    const fs::path outFile = outputs.path() / "stdout.txt";
    const fs::path errFile = outputs.path() / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv{kProgram};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& a : argv) {
        pointers.push_back(a.data());
    }
    pointers.push_back(nullptr);
    pid_t pid = 0;
    ProgramRun run;
    const int spawned = posix_spawn(&pid, kProgram.c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << kProgram;
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = fileText(outFile);
    run.err = fileText(errFile);
    return run;
}

FileMap allFiles(const fs::path& folder) {
    FileMap files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).generic_string()] = fileText(entry.path());
        }
    }
    return files;
}

const GeneratedSample& defaultSample() {
    static const TempFolder temp;
    static const GeneratedSample sample = [] {
        GeneratedSample made;
        made.folder = temp.path() / "sample";
        made.run = runMakeSampleGame({made.folder.string(), "--seed", "7"});
        if (made.run.exitCode == 0) {
            made.files = allFiles(made.folder);
        }
        for (const auto& [path, bytes] : made.files) {
            if (!endsWithBin(path)) {
                continue;
            }
            const auto xml = serz::convert(serz::Direction::BinToXml, bytes);
            if (xml) {
                made.xml[path] = xml.value();
            } else {
                made.unconvertible.push_back(path);
            }
        }
        return made;
    }();
    return sample;
}

::testing::AssertionResult isConvertersOwnText(const std::string& xml) {
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    if (!bin) {
        return ::testing::AssertionFailure()
               << "line " << bin.error().position << ": " << bin.error().message;
    }
    const auto back = serz::convert(serz::Direction::BinToXml, bin.value());
    if (!back || back.value() != xml) {
        const std::string text = back ? back.value() : std::string();
        std::size_t at = 0;
        while (at < xml.size() && at < text.size() && xml[at] == text[at]) {
            ++at;
        }
        return ::testing::AssertionFailure() << "written back differently from byte " << at << ": "
                                             << xml.substr(at > 60 ? at - 60 : 0, 120);
    }
    return ::testing::AssertionSuccess();
}

} // namespace dovrel::testing
