// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dovrel::sample {

// A problem with the output folder or a file in it, told to the user as it is.
class SampleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The folder a sample installation is written into. It must be missing, empty, or hold an
// earlier sample: a folder with the list file ".make-sample-game", which names every file an
// earlier run wrote. The files on that list are removed (and the folders that become empty by
// it); nothing else is ever deleted or overwritten. Every file is put on the list before it is
// written, so an interrupted run still leaves a folder that the next run can clear.
class SampleFolder {
public:
    static constexpr std::string_view kListName = ".make-sample-game";

    // Prepares the folder; throws SampleError when it cannot be used.
    explicit SampleFolder(std::filesystem::path root);

    // Writes a file below the folder, "/" between the parts of `relative`, creating its folders.
    void write(const std::string& relative, std::string_view bytes);

    // Closes the list; throws SampleError when it could not be written completely.
    void finish();

    const std::filesystem::path& root() const { return root_; }
    std::size_t fileCount() const { return files_; }
    std::uintmax_t byteCount() const { return bytes_; }

private:
    void clearEarlierSample();

    std::filesystem::path root_;
    std::ofstream list_;
    std::size_t files_ = 0;
    std::uintmax_t bytes_ = 0;
};

} // namespace dovrel::sample
