// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ScanProgressText.h"

namespace dovrel {

std::string scanProgressText(int done, int found, std::chrono::milliseconds scanTime) {
    if (found <= 0) {
        return "Looking for blueprints...";
    }
    std::string text = std::to_string(done) + " of " + std::to_string(found) + " blueprints";
    if (scanTime < kTimeLeftAfter || done <= 0 || done >= found) {
        return text;
    }
    // The time left, rounded up to a whole second, then to a whole minute from a minute on.
    const long long leftMs = scanTime.count() * (found - done) / done;
    const long long leftSeconds = (leftMs + 999) / 1000;
    if (leftSeconds < 60) {
        return text + ", about " + std::to_string(leftSeconds) + " s left";
    }
    return text + ", about " + std::to_string((leftSeconds + 59) / 60) + " min left";
}

bool scanBarRedrawDue(int done, std::chrono::steady_clock::duration sinceLastRedraw) {
    return done <= 0 || sinceLastRedraw >= kScanBarRedrawEvery;
}

} // namespace dovrel
