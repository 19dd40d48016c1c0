// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dovrel {

// Where the records of each englishName and of each blueprintPath stand in a catalogue's records in
// use, so that a unit is found without walking the catalogue. Records are noted in slot order as the
// catalogue takes them; a lookup gives the same record as a walk from slot 0 that stops at the first
// match. The index keeps positions only: each lookup is handed the records it was built from.
class CatalogueIndex {
public:
    void clear();

    // Notes the record at the next position: 0 for the first record noted, then 1, 2, ...
    void add(std::string_view record);

    // The position of the first record whose englishName equals the name exactly.
    std::optional<std::size_t> firstNamed(std::span<const std::string> records, std::string_view name) const;
    // The position of the first record whose englishName equals the name, ASCII case ignored.
    std::optional<std::size_t> firstNamedIgnoringCase(std::span<const std::string> records,
                                                      std::string_view name) const;
    // The positions of every record whose blueprintPath equals the path, ASCII case ignored, in slot
    // order.
    std::vector<std::size_t> withBlueprintPath(std::span<const std::string> records,
                                               std::string_view path) const;

private:
    // The positions of one key, chained in slot order under the key's hash; records whose keys share
    // a hash are told apart by their text at lookup.
    class Chains {
    public:
        void clear();
        void add(std::uint64_t hash, std::uint32_t position);
        // Visits the positions under a hash in slot order until the visitor returns true.
        template <typename Visit> void forEach(std::uint64_t hash, Visit visit) const;

    private:
        static constexpr std::uint32_t kEnd = UINT32_MAX;
        struct Ends {
            std::uint32_t first;
            std::uint32_t last;
        };
        std::unordered_map<std::uint64_t, Ends> ends_;
        std::vector<std::uint32_t> next_; // per position: the next one under the same hash
    };

    std::uint32_t count_ = 0;
    Chains names_;
    Chains namesIgnoringCase_;
    Chains paths_;
};

} // namespace dovrel
