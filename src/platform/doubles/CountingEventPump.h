// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"

namespace dovrel {

class CountingEventPump final : public EventPump {
public:
    void pump() override { ++pumps_; }
    int pumps() const { return pumps_; }

private:
    int pumps_ = 0;
};

} // namespace dovrel
