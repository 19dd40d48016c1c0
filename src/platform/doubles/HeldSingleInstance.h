#pragma once

#include "platform/SingleInstance.h"

namespace dovrel {

// A single-instance lock whose answer the test decides.
class HeldSingleInstance final : public SingleInstance {
public:
    explicit HeldSingleInstance(bool anotherCopyRunning) : anotherCopyRunning_(anotherCopyRunning) {}
    bool acquire(const std::filesystem::path&) override { return !anotherCopyRunning_; }

private:
    bool anotherCopyRunning_;
};

} // namespace dovrel
