// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistEdit.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dovrel {

class ConsistLine;

// Told of every edit applied to the line, after it is applied.
class ConsistLineObserver {
public:
    virtual ~ConsistLineObserver() = default;
    virtual void lineEdited(const ConsistLine& line, const ConsistEdit& edit) = 0;
};

enum class EditStatus {
    Applied,
    Full,       // the line would hold more than its 5001 slots
    OutOfRange, // an index outside the line, or a selection that names no unit
    Mismatch,   // the unit text the edit expects is not the one in the line
};

const char* editStatusName(EditStatus status);

// The consist line: the table `consistUnits` of 5001 slots, of which slots 0 to `unitCount` - 1 hold
// the units from the head to the tail, and `selectedIndex` (-1 when no unit is selected). Slots past
// `unitCount` keep whatever they last held. Units change only through apply(), the one place where
// edits are carried out and observers told; the selection also changes through setSelectedIndex().
class ConsistLine {
public:
    static constexpr std::int32_t kCapacity = 5001;

    ConsistLine();

    std::int32_t unitCount() const { return unitCount_; }
    std::int32_t selectedIndex() const { return selectedIndex_; }
    bool empty() const { return unitCount_ <= 0; }
    bool full() const { return unitCount_ >= kCapacity; }

    // Every slot, 0 to 5000.
    const std::vector<std::string>& consistUnits() const { return consistUnits_; }
    // Slots 0 to unitCount - 1.
    std::span<const std::string> units() const;
    // The unit at index, or an empty text outside the line.
    const std::string& unit(std::int32_t index) const;
    bool holds(std::int32_t index) const { return index >= 0 && index < unitCount_; }

    // -1, or the index of a unit of the line; anything else is refused and changes nothing.
    bool setSelectedIndex(std::int32_t index);

    // Checks the edit against the line and, when it fits, carries it out, sets the selection to the
    // edit's `selection.after` and tells the observers. Nothing changes unless the result is Applied.
    EditStatus apply(const ConsistEdit& edit);

    // The units as a shared list: the very list the last whole-line edit put in when nothing changed
    // since, so that the history keeps it once.
    SharedUnits sharedUnits();

    // Counts the edits applied so far: a changed number means changed units.
    std::uint64_t revision() const { return revision_; }

    // Observers are not owned; one must be removed before it is destroyed.
    void addObserver(ConsistLineObserver& observer);
    void removeObserver(ConsistLineObserver& observer);

private:
    EditStatus check(const ConsistEdit& edit) const;
    void carryOut(const ConsistEdit& edit);
    bool selectionFitsAfter(const ConsistEdit& edit) const;

    void insertAt(std::int32_t index, const std::string& unit);
    void removeAt(std::int32_t index);
    void toggleAt(std::int32_t index);
    void mirror();
    void replaceAll(const SharedUnits& units);

    std::vector<std::string> consistUnits_;
    std::int32_t unitCount_ = 0;
    std::int32_t selectedIndex_ = -1;
    std::uint64_t revision_ = 0;
    SharedUnits lastWholeLine_; // the units as they stood at revision lastWholeRevision_
    std::uint64_t lastWholeRevision_ = 0;
    std::vector<ConsistLineObserver*> observers_;
};

} // namespace dovrel
