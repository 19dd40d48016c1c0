// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/BinFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace serz {

// The writer's string table: each distinct string gets the next index on first use.
class StringTable {
public:
    std::optional<std::uint16_t> find(std::string_view text) const {
        const auto it = indexes_.find(text);
        if (it == indexes_.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    // Adds a string not yet in the table; nullopt when the table has no index left for it
    // (FFFF is reserved for "new string").
    std::optional<std::uint16_t> add(std::string_view text) {
        if (indexes_.size() >= bin::kMaxStrings) {
            return std::nullopt;
        }
        const auto index = static_cast<std::uint16_t>(indexes_.size());
        indexes_.emplace(std::string(text), index);
        return index;
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, std::uint16_t, Hash, std::equal_to<>> indexes_;
};

} // namespace serz
