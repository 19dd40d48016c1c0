// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

namespace dovrel {

// What the window shows while the catalogue is built: the wait cursor during a scan, and in the
// progress label each unit's English name as soon as it is read, cleared when the scan is over; and
// how many of the blueprints the walk found are done.
class ScanObserver {
public:
    virtual ~ScanObserver() = default;

    virtual void showWaitCursor() = 0;
    virtual void restoreCursor() = 0;
    virtual void showProgress(const std::string& caption) = 0;
    // Called with 0 when the scan starts and after each blueprint taken. The blueprints found are
    // all there are when the walk ends before the first conversion, or those found so far when the
    // walk goes on beside the conversions. `scanTime` is how long the scan has worked so far: the
    // time since it started less the time its message boxes stood open.
    virtual void showBlueprintsDone(int done, int found, std::chrono::milliseconds scanTime) = 0;
    virtual void clearProgress() = 0;
};

} // namespace dovrel
