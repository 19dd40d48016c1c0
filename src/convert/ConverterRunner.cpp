#include "convert/ConverterRunner.h"

#include "convert/WorkingFiles.h"

namespace dovrel {

ConverterRunner::ConverterRunner(Files& files, ProcessRunner& processes, std::filesystem::path converter,
                                 bool forwardOutput)
    : files_(files), processes_(processes), converter_(std::move(converter)), forwardOutput_(forwardOutput) {}

int ConverterRunner::RunConverter(const std::filesystem::path& input) {
    if (const std::filesystem::path output = converterOutputFor(input); !output.empty()) {
        files_.remove(output);
    }
    lastConverterResult_ = processes_.run(converter_, {input.string()}, forwardOutput_);
    return lastConverterResult_;
}

} // namespace dovrel
