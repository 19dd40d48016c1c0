// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WallClock.h"

namespace dovrel {

// A clock that stands still until the test moves it.
class FixedClock final : public WallClock {
public:
    explicit FixedClock(std::chrono::system_clock::time_point at) : at_(at) {}
    std::chrono::system_clock::time_point now() const override { return at_; }
    void advance(std::chrono::system_clock::duration by) { at_ += by; }

private:
    std::chrono::system_clock::time_point at_;
};

} // namespace dovrel
