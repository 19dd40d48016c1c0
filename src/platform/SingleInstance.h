// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace dovrel {

// What trying to become the one copy running from a program folder gave.
struct InstanceLock {
    enum class Outcome {
        Acquired,          // this copy is the only one
        HeldByAnotherCopy, // a living copy holds the lock
        Failed,            // the lock could not be taken at all: reason says why
    };
    Outcome outcome = Outcome::Failed;
    std::string reason;
};

// Holds the one-copy-per-program-folder lock for as long as the object lives.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    virtual InstanceLock acquire(const std::filesystem::path& programFolder) = 0;
};

} // namespace dovrel
