// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TextKeyedMap.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dovrel {

// Finds a unit in the catalogue, ignoring ASCII case: the first record, in slot order, whose
// blueprintPath equals the blueprint, and, where they are given, whose provider and product equal
// the unit's too. The catalogue ends at its first empty slot.
class BlueprintLookup {
public:
    // The catalogue must outlive the lookup.
    explicit BlueprintLookup(const std::vector<std::string>& catalogue);

    // The record's text exactly as stored, or nullptr when no record has that blueprint path.
    // Provider and product are not compared.
    const std::string* find(std::string_view blueprint) const;
    // The record of a unit from its provider, product and blueprint path; a unit that only another
    // provider or product has is not found. Without provider (or product) that field is not compared.
    const std::string* findUnit(const std::optional<std::string>& provider,
                                const std::optional<std::string>& product, std::string_view blueprint) const;
    // The same for a unit as a consist file writes it, its entities ("&amp;") read first.
    const std::string* findWritten(const std::optional<std::string>& provider,
                                   const std::optional<std::string>& product,
                                   std::string_view blueprintAsWritten) const;

private:
    // The records of each blueprint path, lower-cased, in slot order.
    TextKeyedMap<std::vector<const std::string*>> recordsByPath_;
};

} // namespace dovrel
