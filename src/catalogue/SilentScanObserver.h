// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/ScanObserver.h"

namespace dovrel {

// A scan that nobody watches (the command line, the benchmarks): no cursor, no captions, no progress;
// its messages still go through the message boxes.
class SilentScanObserver final : public ScanObserver {
public:
    void showWaitCursor() override {}
    void restoreCursor() override {}
    void showProgress(const std::string&) override {}
    void showBlueprintsDone(int, int, std::chrono::milliseconds) override {}
    void clearProgress() override {}
};

} // namespace dovrel
