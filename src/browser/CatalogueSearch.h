// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/EquipmentRecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dovrel {

// The records of a catalogue table that are in use: slot 0 up to, not including, the first empty
// slot.
std::span<const std::string> recordsInUse(std::span<const std::string> slots);

// The first record in use whose englishName equals the name exactly; empty when none does.
std::optional<EquipmentRecord> findFirstRecordNamed(const Catalogue& catalogue, std::string_view englishName);

} // namespace dovrel
