// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// One catalogue entry: 21 fields joined by "|", stored exactly as cut from the blueprint's XML.
enum class RecordField : std::size_t {
    unitClass = 0,
    englishName,
    provider,
    product,
    blueprintPath,
    frontCouplingId,
    rearCouplingId,
    frontCoupler,
    rearCoupler,
    commonName,
    mass,
    capacity,
    easeOfDerailment,
    dragCoefficient,
    rollingFriction,
    dryFriction,
    wetFriction,
    snowFriction,
    sandFriction,
    bulkFreightType,
    multipleUnit,
};

inline constexpr std::size_t kRecordFieldCount = 21;
// A consist line holds at most 5001 units (slots 0 to 5000). The catalogue and the listed consists
// have no such bound: they hold everything the scan and the readers find.
inline constexpr std::size_t kConsistLineSlots = 5001;

// A record split at "|". A missing field reads as empty; a value holding "|" shifts the later
// fields, as in the game's own files.
class EquipmentRecord {
public:
    EquipmentRecord() = default;
    explicit EquipmentRecord(std::string_view line);

    std::string_view field(RecordField which) const;
    std::string_view field(std::size_t index) const;
    std::size_t fieldCount() const { return fields_.size(); }

    // The 21 fields joined with "|".
    static std::string join(const std::array<std::string, kRecordFieldCount>& fields);
    static std::string join(const std::array<std::string_view, kRecordFieldCount>& fields);

private:
    // Where a field stands in the line; records are split by the thousand, so the line is copied
    // once instead of once per field.
    struct FieldBounds {
        std::size_t start;
        std::size_t length;
    };

    std::string line_;
    std::vector<FieldBounds> fields_;
};

// A field of a record line read in place, without copying or splitting the whole line; empty when the
// line has fewer fields.
std::string_view recordFieldView(std::string_view line, RecordField field);

// The short name of a coupling ID (fields 7 and 8): the part after the last "\" (the whole ID when
// there is none), then, when it holds a ".", the part before the last ".".
// "RailVehicles\Couplings\Buffer.xml" gives "Buffer".
std::string shortCouplerName(std::string_view couplingId);
// The same as a view into the ID.
std::string_view shortCouplerView(std::string_view couplingId);

} // namespace dovrel
