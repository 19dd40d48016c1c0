// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sharing/SharedConsistFile.h"
#include "sharing/SharedConsistMatch.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace dovrel {

// The window's texts for Export Consist... and Import Consist...; sentences joined by CR LF CR LF.
namespace sharingmessages {

inline constexpr std::string_view kExportTitle = "Export Consist";
inline constexpr std::string_view kImportTitle = "Import Consist";
inline constexpr std::string_view kFileFilter = "Consist files (*.dovrel-consist)|*.dovrel-consist";
// The units named one a line before the rest are only counted.
inline constexpr std::size_t kNamedUnits = 20;

// A consist file that could not be read, and why.
std::string notImported(const std::filesystem::path& file, std::string_view reason);
// No unit of the file is installed: nothing is loaded.
std::string noUnitInstalled(const std::filesystem::path& file);
// The units of the file that are not installed and were left out, one a line: name and where the
// game keeps it.
std::string unitsLeftOut(const SharedConsist& consist, const SharedConsistMatch& match);

} // namespace sharingmessages

// The path a save dialog's choice is written to: the choice, with ".dovrel-consist" added when it
// does not end so (ignoring case).
std::filesystem::path withSharedConsistExtension(const std::filesystem::path& chosen);

} // namespace dovrel
