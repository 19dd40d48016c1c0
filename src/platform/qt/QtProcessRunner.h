#pragma once

#include "platform/ProcessRunner.h"

namespace dovrel {

class QtProcessRunner final : public ProcessRunner {
public:
    int run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            bool forwardOutput) override;
};

} // namespace dovrel
