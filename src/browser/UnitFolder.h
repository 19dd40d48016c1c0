// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dovrel {

// The folder to open for a double-clicked row of the details window, given its "English Name" cell:
// the folder holding the blueprint of the first catalogue record with that englishName, that is the
// game path provider\product\blueprintPath cut before its last "\", below `assetsFolder`. Each
// component is resolved on disk ignoring case. When that folder does not exist but the product folder
// holds packed stock (".ap" archives), the unit was read from an archive and the product folder is
// opened; otherwise the path is given as spelled in the record, so the caller's missing-folder
// message names it. Empty optional when no record
// has that name: nothing is opened.
std::optional<std::filesystem::path> unitFolderToOpen(std::string_view englishNameCell,
                                                      const Catalogue& catalogue,
                                                      const std::filesystem::path& assetsFolder);

} // namespace dovrel
