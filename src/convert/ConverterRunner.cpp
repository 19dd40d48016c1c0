// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ConverterRunner.h"

#include "convert/BundledCodec.h"
#include "convert/WorkingFiles.h"

#include <iostream>

namespace dovrel {

ConverterRunner::ConverterRunner(Files& files, ProcessRunner& processes, std::filesystem::path converter,
                                 bool forwardOutput, ConverterMode mode)
    : files_(files), processes_(processes), converter_(std::move(converter)), forwardOutput_(forwardOutput),
      mode_(mode) {}

int ConverterRunner::RunConverter(const std::filesystem::path& input) {
    if (const std::filesystem::path output = converterOutputFor(input); !output.empty()) {
        files_.remove(output);
    }
    if (mode_ == ConverterMode::InProcess) {
        std::string failure;
        lastConverterResult_ = convertFileInProcess(input, failure);
        if (forwardOutput_ && !failure.empty()) {
            std::cerr << "serz: " << failure << std::endl;
        }
        lastFailure_ = failure;
        return lastConverterResult_;
    }
    lastConverterResult_ = processes_.run(converter_, {input.string()}, forwardOutput_);
    if (lastConverterResult_ == 0) {
        lastFailure_.clear();
    } else if (lastConverterResult_ < 0) {
        lastFailure_ = "The converter " + converter_.string() + " could not be started or was stopped.";
    } else {
        lastFailure_ = "The converter " + converter_.string() + " ended with exit status " +
                       std::to_string(lastConverterResult_) + ".";
    }
    return lastConverterResult_;
}

} // namespace dovrel
