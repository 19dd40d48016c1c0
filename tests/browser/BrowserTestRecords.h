#pragma once

#include "catalogue/EquipmentRecord.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace dovrel::testing {

using Field = RecordField;

// A record line with plausible values (a diesel "Class 66" with buffers at both ends, mass 126, no
// cargo), the given fields replaced.
std::string recordWith(std::initializer_list<std::pair<Field, std::string>> fields);

// A record of a class and name with buffers at both ends.
std::string unitRecord(std::string unitClass, std::string englishName, std::string provider = "Acme",
                       std::string product = "Pack");

} // namespace dovrel::testing
