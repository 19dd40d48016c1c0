// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace dovrel::testing {

// A fresh temporary folder, removed with everything in it when the object goes. Holds config/,
// program/ and game/ for tests that start the editor, so no test touches the user's own files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path configFolder() const { return path_ / "config"; }
    std::filesystem::path programFolder() const { return path_ / "program"; }
    std::filesystem::path gameFolder() const { return path_ / "game"; }

    // Writes bytes to a file below the folder (creating its folders) and returns its path.
    std::filesystem::path write(const std::filesystem::path& relative, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
std::string fileText(const std::filesystem::path& file);

} // namespace dovrel::testing
