// SPDX-License-Identifier: GPL-3.0-or-later
#include "BlueprintFixture.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace dovrel::testing {

std::string replaceFirst(std::string text, std::string_view part, std::string_view replacement) {
    const std::size_t found = text.find(part);
    if (found == std::string::npos) {
        throw std::invalid_argument("fixture part not found: " + std::string(part));
    }
    return text.replace(found, part.size(), replacement);
}

namespace {

// A value line at the depth, with a float's attributes as the converter writes them.
std::string scalar(int depth, std::string_view name, std::string_view type, std::string_view value) {
    std::string line(static_cast<std::size_t>(depth), '\t');
    line.append("<").append(name).append(" d:type=\"").append(type).append("\"");
    if (type == "sFloat32") {
        line.append(" d:alt_encoding=\"000000000000F03F\" d:precision=\"string\"");
    }
    return line.append(">").append(value).append("</").append(name).append(">\r\n");
}

} // namespace

std::string BlueprintFixture::xml() const {
    std::string engine;
    if (element == "cEngineBlueprint") {
        engine = "\t\t\t<EngineSimulationContainer>\r\n" + scalar(4, "MaxPower", "sFloat32", "2460") +
                 "\t\t\t</EngineSimulationContainer>\r\n" +
                 (engineType ? scalar(3, "EngineType", "cDeltaString", *engineType) : "");
    }
    std::string cargoLines = cargo.empty() ? "\t\t\t\t\t<CargoDef/>\r\n" : "\t\t\t\t\t<CargoDef>\r\n";
    int id = 1000;
    for (const CargoDefinition& definition : cargo) {
        const bool bulk = definition.kind == CargoDefinition::Kind::Bulk;
        const std::string tag = bulk ? "cBulkCargoDef" : "cPassengerDoorwayDef";
        cargoLines += "\t\t\t\t\t\t<" + tag + " d:id=\"" + std::to_string(++id) + "\">\r\n";
        cargoLines += bulk ? scalar(7, "Capacity", "sFloat32", definition.capacity) +
                                 scalar(7, "BulkFreightType", "cDeltaString", definition.freightType) +
                                 scalar(7, "Density", "sFloat32", "1.2")
                           : scalar(7, "MaxPassengers", "sInt32", "64");
        cargoLines += "\t\t\t\t\t\t</" + tag + ">\r\n";
    }
    cargoLines += cargo.empty() ? "" : "\t\t\t\t\t</CargoDef>\r\n";
    std::ifstream file(std::filesystem::path(DOVREL_SOURCE_DIR) / "tests/catalogue/fixtures/blueprint.xml",
                       std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // A placeholder alone on its line stands for whole lines, its line end included.
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"@ENGINE@\r\n", engine},
                                     {"@CARGO@\r\n", cargoLines},
                                     {"@ELEMENT@", element},
                                     {"@NAME@", name},
                                     {"@ENGLISH@", english},
                                     {"@FRONT@", frontId},
                                     {"@REAR@", rearId}}) {
        for (std::size_t at = text.find(key); at != std::string::npos;
             at = text.find(key, at + value.size())) {
            text.replace(at, key.size(), value);
        }
    }
    return text;
}

BlueprintFixture BlueprintFixture::engine(std::string type, std::string englishName) {
    BlueprintFixture fixture;
    fixture.engineType = std::move(type);
    fixture.english = std::move(englishName);
    return fixture;
}

BlueprintFixture BlueprintFixture::wagon(std::string englishName, std::vector<CargoDefinition> cargo) {
    BlueprintFixture fixture;
    fixture.element = "cWagonBlueprint";
    fixture.engineType.reset();
    fixture.name = "Wagon";
    fixture.english = std::move(englishName);
    fixture.cargo = std::move(cargo);
    return fixture;
}

} // namespace dovrel::testing
