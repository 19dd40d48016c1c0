// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/EquipmentRecord.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The table of every rail vehicle found in the assets: as many text slots as records found, each
// holding one record line or the empty text. Slots are filled from 0 upward; the first empty slot
// ends the catalogue, whatever follows it.
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

    // The cache file's text: the records in use, each followed by CR LF, the last CR LF removed.
    std::string cacheText() const;

    // The catalogue held by a cache file's text: one trailing CR LF ignored, the text split at CR LF,
    // line i stored unchanged in slot i, however many lines there are.
    static Catalogue fromCacheText(std::string_view text);

private:
    void recount();

    std::vector<std::string> slots_; // slots 0 to size() - 1 of the table; the rest are empty
    std::size_t count_ = 0;
};

} // namespace dovrel
