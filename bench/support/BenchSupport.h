// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace dovrel::bench {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start);
double millisecondsSince(Clock::time_point start);
double median(std::vector<double> values);
// The load averages of the last 1, 5 and 15 minutes, as the system gives them.
std::string loadAverage();

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "dovrel-bench");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace dovrel::bench
