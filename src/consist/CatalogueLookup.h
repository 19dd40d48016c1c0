// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <optional>
#include <string>
#include <string_view>

// Finding a catalogue record by its display name (`englishName`). The catalogue is a table of text
// slots filled from slot 0; the first empty slot ends it and nothing past it is read. Of several
// records of one name, the one in the lowest slot is found.
namespace dovrel {

// The first record whose name equals the given one in lower case (ASCII), as used to add or trade a
// unit chosen in a list.
std::optional<std::string> findRecordIgnoringCase(const Catalogue& catalogue, std::string_view name);

// The first record whose name equals the given one exactly, as used to show a unit's couplings.
std::optional<std::string> findRecordExactly(const Catalogue& catalogue, std::string_view name);

} // namespace dovrel
