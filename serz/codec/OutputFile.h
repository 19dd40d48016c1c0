// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace serz {

// Writes a whole file so that it appears complete or not at all: the bytes go to a temporary
// file beside the target (TARGET.tmp-PID), which is renamed over the target on commit and
// removed if the object is destroyed without a commit.
class OutputFile {
public:
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes the content and renames it into place; on failure returns the reason and leaves
    // neither the temporary file nor a changed target behind.
    std::string commit(std::string_view content);

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool pending_ = false;
};

} // namespace serz
