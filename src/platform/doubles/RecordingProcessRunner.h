// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessRunner.h"

#include <deque>
#include <functional>

namespace dovrel {

// Records every run and answers with queued exit codes (0 when the queue is empty). An optional
// action runs in place of the program, so a test can write the output a converter would.
class RecordingProcessRunner final : public ProcessRunner {
public:
    struct Run {
        std::filesystem::path program;
        std::vector<std::string> arguments;
        bool forwardOutput;
    };
    using Action = std::function<void(const Run&)>;

    void queueExitCode(int code) { exitCodes_.push_back(code); }
    void setAction(Action action) { action_ = std::move(action); }
    const std::vector<Run>& runs() const { return runs_; }

    int run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            bool forwardOutput) override;

private:
    std::deque<int> exitCodes_;
    std::vector<Run> runs_;
    Action action_;
};

} // namespace dovrel
