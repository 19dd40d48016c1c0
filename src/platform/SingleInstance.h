#pragma once

#include <filesystem>

namespace dovrel {

// Holds the one-copy-per-program-folder lock for as long as the object lives.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this copy is the only one running from that folder.
    virtual bool acquire(const std::filesystem::path& programFolder) = 0;
};

} // namespace dovrel
