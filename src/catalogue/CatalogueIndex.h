// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// Where the records of each englishName and of each blueprintPath stand in a catalogue's records in
// use, so that a unit is found without walking the catalogue. Made once from the records; a lookup
// gives the same record as a walk from slot 0 that stops at the first match. The index keeps
// positions only: each lookup is handed the records it was made from.
class CatalogueIndex {
public:
    explicit CatalogueIndex(std::span<const std::string> records);

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
    // Each record's key hash and position, sorted by hash and then position: the records of one key
    // stand together in slot order, with any whose keys share the hash, told apart at lookup.
    struct Keyed {
        std::uint64_t hash;
        std::uint32_t position;
        auto operator<=>(const Keyed&) const = default;
    };
    using Table = std::vector<Keyed>;
    // Visits the positions under a hash in slot order until the visitor returns true.
    template <typename Visit> static void forEach(const Table& table, std::uint64_t hash, Visit visit);

    Table names_;
    Table namesIgnoringCase_;
    Table paths_;
};

} // namespace dovrel
