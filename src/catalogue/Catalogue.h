// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CatalogueIndex.h"
#include "catalogue/EquipmentRecord.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The table of every rail vehicle found in the assets: as many text slots as records found, each
// holding one record line or the empty text. Slots are filled from 0 upward; the first empty slot
// ends the catalogue, whatever follows it. The first lookup indexes the records in use, so a unit is
// found by its name or its blueprint path without walking the table; the record found is the one a
// walk from slot 0 meets first. A change of the table drops the index.
class Catalogue {
public:
    // Empties every slot.
    void clear();

    // Stores a record in the slot after the last stored one. False, and nothing stored, when the
    // record is empty (an empty slot would end the catalogue).
    bool append(std::string record);

    // The text of slot i; empty for an empty slot and for any index past the table.
    std::string_view slot(std::size_t index) const;

    // The records in use: slot 0 up to, not including, the first empty slot.
    std::span<const std::string> records() const { return {slots_.data(), count_}; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // The first record in use whose englishName equals the name exactly; nullptr when none does.
    const std::string* firstNamed(std::string_view englishName) const;
    // The first record in use whose englishName equals the name, ASCII case ignored.
    const std::string* firstNamedIgnoringCase(std::string_view englishName) const;
    // Every record in use whose blueprintPath equals the path, ASCII case ignored, in slot order.
    std::vector<const std::string*> withBlueprintPath(std::string_view blueprintPath) const;

    // The cache file's text: the records in use, each followed by CR LF, the last CR LF removed.
    std::string cacheText() const;

    // The catalogue held by a cache file's text: one trailing CR LF ignored, the text split at CR LF,
    // line i stored unchanged in slot i, however many lines there are.
    static Catalogue fromCacheText(std::string_view text);
    // The catalogue of these slots, an empty slot ending the records in use.
    static Catalogue fromSlots(std::vector<std::string> slots);

private:
    void recount();

    std::vector<std::string> slots_; // slots 0 to size() - 1 of the table; the rest are empty
    std::size_t count_ = 0;
    const CatalogueIndex& index() const;

    // Made at the first lookup, of the records in use; the catalogue is used on one thread.
    mutable std::optional<CatalogueIndex> index_;
};

} // namespace dovrel
