// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/doubles/RecordingProcessRunner.h"

namespace dovrel {

int RecordingProcessRunner::run(const std::filesystem::path& program,
                                const std::vector<std::string>& arguments, bool forwardOutput) {
    runs_.push_back({program, arguments, forwardOutput});
    if (action_) {
        action_(runs_.back());
    }
    if (exitCodes_.empty()) {
        return 0;
    }
    const int code = exitCodes_.front();
    exitCodes_.pop_front();
    return code;
}

} // namespace dovrel
