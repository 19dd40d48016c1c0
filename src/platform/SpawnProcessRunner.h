// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessRunner.h"

namespace dovrel {

// Starts the program with posix_spawn, the program's path and every argument passed byte for
// byte (a folder name that is not UTF-8 reaches the child as it is), and waits for it.
class SpawnProcessRunner final : public ProcessRunner {
public:
    int run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            bool forwardOutput) override;
};

} // namespace dovrel
