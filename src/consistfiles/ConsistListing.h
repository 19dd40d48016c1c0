#pragma once

#include "catalogue/EquipmentRecord.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// One row of the consist list: a consist's identifier and its name.
struct ConsistRow {
    std::string identifier;
    std::string name;

    // The row as the list holds it: identifier, a tab, name.
    std::string text() const { return identifier + '\t' + name; }
    bool operator==(const ConsistRow&) const = default;
};

// What a reader lists: the rows of the consist list and listedConsists, the table of 5001 slots in
// which slot i holds row i's listed consist (its listed units, each a record + "|" + heading,
// joined by ":"). A listed consist none of whose units was found is the empty text.
class ConsistListing {
public:
    ConsistListing() : listedConsists_(kTableSlots) {}

    const std::vector<ConsistRow>& rows() const { return rows_; }
    std::size_t rowCount() const { return rows_.size(); }
    // Slot i of listedConsists; the empty text for a slot outside the table.
    const std::string& listedConsist(std::size_t slot) const;
    bool isFull() const { return rows_.size() >= kTableSlots; }

    // The consist being read fills the slot after the listed rows. Nothing is stored once the
    // table is full.
    void appendUnit(std::string_view record, std::string_view heading);
    bool openConsistHasUnits() const;
    void discardOpenConsist();
    void listOpenConsist(ConsistRow row);

    // Removes the ":" that ends a listed consist, in every slot.
    void dropFinalColons();

private:
    std::vector<std::string> listedConsists_;
    std::vector<ConsistRow> rows_;
};

// What one read produced besides the listing.
struct ConsistReadResult {
    ConsistListing listing;
    // The blueprint of every unit not found in the catalogue, each followed by CR LF, in the order met.
    std::string missingUnits;
    // More consists would have been listed than the table holds.
    bool truncated = false;
};

} // namespace dovrel
