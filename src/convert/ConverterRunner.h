// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/DeltaNamespace.h"
#include "platform/Files.h"
#include "platform/ProcessRunner.h"

#include <filesystem>
#include <string>

namespace dovrel {

// How the converter runs: the program at its location as a child process, or, for the bundled
// converter, its codec inside the editor (same files, same exit statuses, no process start).
enum class ConverterMode { ChildProcess, InProcess };

// Runs the converter on one working file and waits for it.
class ConverterRunner {
public:
    ConverterRunner(Files& files, ProcessRunner& processes, std::filesystem::path converter,
                    bool forwardOutput = false, ConverterMode mode = ConverterMode::ChildProcess);

    // Removes the output the run will write (so an earlier run's output is never read as this
    // one's), starts the converter with the input as its one argument and returns its exit status:
    // 0-255 for a normal exit, -1 when it could not start or was killed.
    int RunConverter(const std::filesystem::path& input);

    // Notes the exit status of a conversion done in memory by the bundled codec, as a run of the
    // converter would have ended.
    void noteResult(int exitStatus) {
        lastConverterResult_ = exitStatus;
        lastFailure_.clear();
    }

    bool runsInProcess() const { return mode_ == ConverterMode::InProcess; }

    // Every reader of converter XML hands the text here, so the namespace of the last XML the
    // converter wrote in this run is known to whoever writes a new document.
    void noteXmlOutput(std::string_view xml) { deltaNamespace_.noteConverterOutput(xml); }
    const DeltaNamespace& deltaNamespace() const { return deltaNamespace_; }

    int lastConverterResult() const { return lastConverterResult_; }
    // Why the last run failed, in one line: what the bundled codec would print, or how the program
    // ended. Empty after a run that succeeded.
    const std::string& lastFailure() const { return lastFailure_; }
    const std::filesystem::path& converter() const { return converter_; }

private:
    Files& files_;
    ProcessRunner& processes_;
    std::filesystem::path converter_;
    bool forwardOutput_;
    ConverterMode mode_;
    int lastConverterResult_ = 0;
    std::string lastFailure_;
    DeltaNamespace deltaNamespace_;
};

} // namespace dovrel
