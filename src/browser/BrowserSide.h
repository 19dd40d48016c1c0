#pragma once

namespace dovrel {

// The two browsing panels: the loco list (locomotives and tenders) and the wagon list.
enum class BrowserSide { Loco, Wagon };

} // namespace dovrel
