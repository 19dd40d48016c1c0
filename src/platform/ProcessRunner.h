// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dovrel {

// Starts a program with an argument list (no shell), standard input closed, and waits for it
// without a time limit.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;

    // The exit status (0-255) of a normal exit; -1 when the program cannot start or ends by a
    // signal. Standard output and error are discarded, or forwarded to this program's standard
    // error when forwardOutput is set.
    virtual int run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    bool forwardOutput) = 0;
};

} // namespace dovrel
