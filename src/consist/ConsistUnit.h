// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/EquipmentRecord.h"

#include <string>
#include <string_view>

// A unit of the consist line is held as one text: the unit's catalogue record, "|", and a one-character
// heading flag ("0" forward, "1" reversed) that is always the text's last character.
namespace dovrel {

inline constexpr char kForwardFlag = '0';
inline constexpr char kReversedFlag = '1';

// A unit taken from the catalogue: the record followed by "|" and "0".
std::string makeConsistUnit(std::string_view record);

// Forward only when the last character is "0"; anything else (an empty text too) counts as reversed.
bool isForward(std::string_view unit);

// "0" becomes "1", anything else becomes "0"; the rest of the text is unchanged. An empty text stays
// empty.
std::string withToggledHeading(std::string_view unit);

// The unit's record: the text before its last "|" (all of it when there is none).
std::string_view recordOfUnit(std::string_view unit);

// A field of the unit's record by position, empty when the unit has fewer fields.
std::string unitField(std::string_view unit, RecordField field);
// The same field read in place, without copying or splitting the whole text.
std::string_view unitFieldView(std::string_view unit, RecordField field);

} // namespace dovrel
