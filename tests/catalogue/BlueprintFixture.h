// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::testing {

// The text with the first occurrence of a part replaced; the part must occur.
std::string replaceFirst(std::string text, std::string_view part, std::string_view replacement);

struct CargoDefinition {
    enum class Kind { Bulk, PassengerDoorway } kind;
    std::string capacity;
    std::string freightType;
};

// A rail-vehicle blueprint as the converter writes it (fixtures/blueprint.xml), among the other
// elements of a real one; mass 126.5, derailment 0.85, drag 0.9, rolling friction 0.002, dry 0.25,
// wet 0.15, snow 0.1, sand 1.5.
struct BlueprintFixture {
    std::string element = "cEngineBlueprint";
    std::string name = "Class 66";
    std::string english = "Class 66 EWS";
    std::string frontId = "RailVehicles\\Couplings\\Buffer.xml";
    std::string rearId = "RailVehicles\\Couplings\\Buffer.xml";
    std::optional<std::string> engineType = "Diesel";
    std::vector<CargoDefinition> cargo;

    std::string xml() const;

    static BlueprintFixture engine(std::string type, std::string english);
    static BlueprintFixture wagon(std::string english, std::vector<CargoDefinition> cargo);
};

} // namespace dovrel::testing
