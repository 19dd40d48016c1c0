#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace dovrel::testing {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs make-sample-game with the arguments, standard input closed, both outputs captured.
ProgramRun runMakeSampleGame(const std::vector<std::string>& arguments);

// Every file below a folder: its path relative to the folder ("/" between the parts) and its bytes.
using FileMap = std::map<std::string, std::string>;
FileMap allFiles(const std::filesystem::path& folder);

// One default installation (seed 7), made once for the whole test program, with every .bin
// converted to XML by the codec (the files that do not convert are listed apart).
struct GeneratedSample {
    std::filesystem::path folder;
    ProgramRun run;
    FileMap files;
    std::map<std::string, std::string> xml; // .bin path -> its XML
    std::vector<std::string> unconvertible;
};
const GeneratedSample& defaultSample();

// True when the XML converts to the binary form and the converter writes the same text back.
::testing::AssertionResult isConvertersOwnText(const std::string& xml);

} // namespace dovrel::testing
