// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// The keys of the "Preferences" section.
inline constexpr const char* kGameFolderKey = "GameFolder";
inline constexpr const char* kUnitMeasureKey = "UnitMeasure";
// "1" when the scan collects its messages for one report, "0" (or absent) when it shows each.
inline constexpr const char* kCollectScanMessagesKey = "CollectScanMessages";
// The main window's zoom in percent (View > Zoom In, Zoom Out, Actual Size); absent until chosen.
inline constexpr const char* kZoomKey = "Zoom";

// The per-user settings of the "Preferences" section. Values are byte strings.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<std::string> value(std::string_view key) const = 0;
    // Writes and flushes at once.
    virtual void setValue(std::string_view key, std::string_view value) = 0;
};

} // namespace dovrel
