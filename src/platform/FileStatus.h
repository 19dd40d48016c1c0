#pragma once

#include <string>

namespace dovrel {

// The outcome of a file operation: success, or a failure with the system's reason in words.
struct FileStatus {
    bool ok = true;
    std::string reason;

    static FileStatus success() { return {}; }
    static FileStatus failure(std::string why) { return {false, std::move(why)}; }
};

} // namespace dovrel
