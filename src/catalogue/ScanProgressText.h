// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

namespace dovrel {

// How long a scan runs before the time it has left is estimated: sooner, the pace says little.
inline constexpr std::chrono::milliseconds kTimeLeftAfter{2000};

// The scan progress bar's text: "Looking for blueprints..." until the first blueprint is found, then
// the blueprints done of those found, and once the scan has run long enough, the time left at the
// pace so far ("120 of 5000 blueprints, about 4 s left"; whole minutes from a minute on). No
// estimate before the first blueprint is done. `scanTime` is the time the scan has worked, without
// the time it waited for the user.
std::string scanProgressText(int done, int found, std::chrono::milliseconds scanTime);

// How often the bar is redrawn at most: a redraw for each of thousands of blueprints would slow the
// scan down to the pace of the drawing.
inline constexpr std::chrono::milliseconds kScanBarRedrawEvery{100};

// Whether the bar is redrawn for a count: at the start of a scan (nothing done), else only once the
// last redraw is kScanBarRedrawEvery ago. Having done all blueprints found so far is no reason: a scan
// that takes its outcomes from the index does each one as soon as the walk finds it.
bool scanBarRedrawDue(int done, std::chrono::steady_clock::duration sinceLastRedraw);

} // namespace dovrel
