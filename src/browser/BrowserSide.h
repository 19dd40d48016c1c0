// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel {

// The two browsing panels: the loco list (locomotives and tenders) and the wagon list.
enum class BrowserSide { Loco, Wagon };

// The panel's place where something is kept for each of them: 0 for the loco list, 1 for the wagons.
constexpr int sideIndex(BrowserSide side) {
    return side == BrowserSide::Loco ? 0 : 1;
}

} // namespace dovrel
