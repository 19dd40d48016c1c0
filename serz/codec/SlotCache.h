// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/BinFormat.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace serz {

// The writer's record cache: which record key each of the 255 slots holds. Long-form records
// take slots in strict rotation, evicting whatever was there.
class SlotCache {
public:
    std::optional<std::uint8_t> slotOf(std::uint64_t key) const {
        const auto it = slots_.find(key);
        if (it == slots_.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    void insert(std::uint64_t key) {
        const auto slot = static_cast<std::uint8_t>(next_);
        if (used_[slot]) {
            slots_.erase(keys_[slot]);
        }
        keys_[slot] = key;
        used_[slot] = true;
        slots_[key] = slot;
        next_ = (next_ + 1) % bin::kSlotCount;
    }

private:
    std::array<std::uint64_t, bin::kSlotCount> keys_{};
    std::array<bool, bin::kSlotCount> used_{};
    std::unordered_map<std::uint64_t, std::uint8_t> slots_;
    std::size_t next_ = 0;
};

} // namespace serz
