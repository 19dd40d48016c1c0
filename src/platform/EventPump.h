// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel {

// Lets the window process its pending events in the middle of a long operation.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void pump() = 0;
};

} // namespace dovrel
