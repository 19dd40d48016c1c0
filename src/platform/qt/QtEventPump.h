// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"

#include <QElapsedTimer>

namespace dovrel {

// QCoreApplication::processEvents(), skipping calls that come less than 10 ms after the last one
// so that a scan of thousands of lines is not slowed down by the window.
class QtEventPump final : public EventPump {
public:
    void pump() override;

private:
    QElapsedTimer sinceLast_;
};

} // namespace dovrel
