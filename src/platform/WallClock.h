// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace dovrel {

// The wall clock, as the program's own files are stamped with it.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
};

class SystemClock final : public WallClock {
public:
    std::chrono::system_clock::time_point now() const override { return std::chrono::system_clock::now(); }
};

} // namespace dovrel
