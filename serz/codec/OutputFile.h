// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/OutputSink.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace serz {

// Writes a file so that it appears complete or not at all: the bytes go to a temporary file beside
// the target (TARGET.tmp-PID), which is renamed over the target on commit and removed if the object
// is destroyed without a commit.
class OutputFile : public OutputSink {
public:
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // The temporary file is made on the first write.
    bool write(std::string_view bytes) override;
    bool overwrite(std::size_t offset, std::string_view bytes) override;

    // Closes the temporary file and renames it into place; on failure returns the reason and
    // leaves neither the temporary file nor a changed target behind.
    std::string commit();

    // Why a write failed.
    const std::string& reason() const { return reason_; }

private:
    bool fail();
    // Writes every byte at the end of what was written, or from the offset when one is given.
    bool writeAt(std::optional<std::size_t> offset, std::string_view bytes);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    bool pending_ = false; // the temporary file exists
    std::string reason_;
};

} // namespace serz
