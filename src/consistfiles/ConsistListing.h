// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// What a reader lists: the rows of the consist list and listedConsists, the table in which slot i
// holds row i's listed consist: its listed units in order, each a record + "|" + heading. The table
// grows with the rows, one slot past them holding the consist being read. Each listed unit is kept whole, so
// a ":" inside a record (a provider, product or folder named with one, an English name such as "Class 66:
// Coal") never cuts a unit in two. A listed consist none of whose units was found has no units.
// Each distinct unit's text is kept once and the slots name it by its number, so a listing of
// millions of units takes a few bytes a unit.
class ConsistListing {
public:
    ConsistListing() : slotStarts_(1, 0) {}

    const std::vector<ConsistRow>& rows() const { return rows_; }
    std::size_t rowCount() const { return rows_.size(); }
    // The listed units of slot i; none for a slot outside the table.
    std::vector<std::string> listedUnits(std::size_t slot) const;
    // Slot i as one text, its listed units joined by ":" (the empty text when it has none).
    std::string listedConsist(std::size_t slot) const;

    // The number of the unit of this record and heading, for appendUnit.
    std::uint32_t unitNumber(std::string_view record, std::string_view heading);
    // The consist being read fills the slot after the listed rows.
    void appendUnit(std::uint32_t unitNumber) { slotUnits_.push_back(unitNumber); }
    void appendUnit(std::string_view record, std::string_view heading) {
        appendUnit(unitNumber(record, heading));
    }
    bool openConsistHasUnits() const { return slotUnits_.size() > slotStarts_.back(); }
    void discardOpenConsist() { slotUnits_.resize(slotStarts_.back()); }
    void listOpenConsist(ConsistRow row);

private:
    // The units of slot i are slotUnits_[slotStarts_[i]] up to the next slot's start (the end for the
    // open slot), each the number of its text in unitTexts_.
    std::vector<std::uint32_t> slotUnits_;
    std::vector<std::size_t> slotStarts_;
    std::vector<std::string> unitTexts_;
    std::unordered_map<std::string, std::uint32_t> unitNumbers_;
    std::string unitText_; // the text of the unit looked up last, kept to spare an allocation each time
    std::vector<ConsistRow> rows_;
};

// A consist as a reader met it: the file it is in (its number in the read's sources), the blueprints
// (entities read) of its units that the catalogue lacks, and its slot in the listing; a scenario
// consist none of whose units was found has none.
struct ConsistOrigin {
    ConsistRow row;
    std::size_t source = 0;
    std::vector<std::string> missingUnits;
    std::optional<std::size_t> listedSlot;
    bool operator==(const ConsistOrigin&) const = default;
};

// What one read produced besides the listing.
struct ConsistReadResult {
    ConsistListing listing;
    // The blueprint of every unit not found in the catalogue, each followed by CR LF, in the order met.
    std::string missingUnits;
    // Every consist that closed, listed or not, in the order met.
    std::vector<ConsistOrigin> origins;
    // The files read, in order, each once: the sources the origins name by number.
    std::vector<std::filesystem::path> sources;
    // Why the user-consist file, there but unreadable, gave no consists (shown as a message); empty
    // when it was read or is not there.
    std::string unreadFile;
};

} // namespace dovrel
