#include "BlueprintFixture.h"

#include <stdexcept>

namespace dovrel::testing {

std::string converterLayout(std::string_view indented) {
    std::string text;
    std::size_t start = 0;
    while (start < indented.size()) {
        std::size_t end = indented.find('\n', start);
        if (end == std::string_view::npos) {
            end = indented.size();
        }
        std::string_view line = indented.substr(start, end - start);
        while (line.starts_with("  ")) {
            text.push_back('\t');
            line.remove_prefix(2);
        }
        text.append(line);
        text.append("\r\n");
        start = end + 1;
    }
    return text;
}

std::string replaceFirst(std::string text, std::string_view part, std::string_view replacement) {
    const std::size_t found = text.find(part);
    if (found == std::string::npos) {
        throw std::invalid_argument("fixture part not found: " + std::string(part));
    }
    return text.replace(found, part.size(), replacement);
}

namespace {

std::string scalar(int depth, std::string_view name, std::string_view type, std::string_view value) {
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line.append("<").append(name).append(" d:type=\"").append(type).append("\"");
    if (type == "sFloat32") {
        line.append(" d:alt_encoding=\"000000000000F03F\" d:precision=\"string\"");
    }
    line.append(">").append(value).append("</").append(name).append(">\n");
    return line;
}

std::string indent(int depth, std::string_view line) {
    return std::string(static_cast<std::size_t>(depth) * 2, ' ') + std::string(line) + "\n";
}

std::string coupling(std::string_view element, std::string_view id) {
    std::string text = indent(5, "<" + std::string(element) + ">");
    text += indent(6, "<iBlueprintLibrary-cAbsoluteBlueprintID>");
    text += indent(7, "<BlueprintSetID>");
    text += indent(8, "<iBlueprintLibrary-cBlueprintSetID>");
    text += scalar(9, "Provider", "cDeltaString", "Kuju");
    text += scalar(9, "Product", "cDeltaString", "RailSimulator");
    text += indent(8, "</iBlueprintLibrary-cBlueprintSetID>");
    text += indent(7, "</BlueprintSetID>");
    text += scalar(7, "BlueprintID", "cDeltaString", id);
    text += indent(6, "</iBlueprintLibrary-cAbsoluteBlueprintID>");
    text += indent(5, "</" + std::string(element) + ">");
    return text;
}

} // namespace

std::string BlueprintFixture::xml() const {
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    text += "<cBlueprintLoader xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\">\n";
    text += indent(1, "<Blueprint>");
    text += indent(2, "<" + element + ">");
    text += scalar(3, "Name", "cDeltaString", name);
    text += indent(3, "<DisplayName>");
    text += indent(4, "<Localisation-cUserLocalisedString>");
    text += scalar(5, "English", "cDeltaString", english);
    text += scalar(5, "French", "cDeltaString", "");
    text += scalar(5, "German", "cDeltaString", "Deutsch " + english);
    text += indent(5, "<Other/>");
    text += scalar(5, "Key", "cDeltaString", "6a3b1c2d");
    text += indent(4, "</Localisation-cUserLocalisedString>");
    text += indent(3, "</DisplayName>");
    text += scalar(3, "ProviderNote", "cDeltaString", "");
    text += indent(3, "<RailVehicleComponent>");
    text += indent(4, "<cRailVehicleComponentBlueprint>");
    text += scalar(5, "Name", "cDeltaString", "Vehicle component");
    text += scalar(5, "English", "cDeltaString", "Not the display name");
    text += coupling("FrontCouplingBlueprintID", frontId);
    text += coupling("RearCouplingBlueprintID", rearId);
    text += scalar(5, "Mass", "sFloat32", kFixtureMass);
    text += scalar(5, "EaseOfDerailment", "sFloat32", kFixtureEase);
    text += scalar(5, "DragCoefficient", "sFloat32", kFixtureDrag);
    text += scalar(5, "RollingFrictionCoefficient", "sFloat32", kFixtureRolling);
    text += scalar(5, "DryFriction", "sFloat32", kFixtureDry);
    text += scalar(5, "WetFriction", "sFloat32", kFixtureWet);
    text += scalar(5, "SnowFriction", "sFloat32", kFixtureSnow);
    text += scalar(5, "SandFrictionMultiplier", "sFloat32", kFixtureSand);
    text += indent(4, "</cRailVehicleComponentBlueprint>");
    text += indent(3, "</RailVehicleComponent>");
    if (element == "cEngineBlueprint") {
        text += indent(3, "<EngineSimulationContainer>");
        text += scalar(4, "MaxPower", "sFloat32", "2460");
        text += indent(3, "</EngineSimulationContainer>");
        if (engineType) {
            text += scalar(3, "EngineType", "cDeltaString", *engineType);
        }
    }
    text += indent(3, "<CargoComponent>");
    text += indent(4, "<cCargoComponentBlueprint>");
    text += scalar(5, "InitialLevel", "sFloat32", "0");
    if (cargo.empty()) {
        text += indent(5, "<CargoDef/>");
    } else {
        text += indent(5, "<CargoDef>");
        int id = 1000;
        for (const CargoDefinition& definition : cargo) {
            if (definition.kind == CargoDefinition::Kind::Bulk) {
                text += indent(6, "<cBulkCargoDef d:id=\"" + std::to_string(++id) + "\">");
                text += scalar(7, "Capacity", "sFloat32", definition.capacity);
                text += scalar(7, "BulkFreightType", "cDeltaString", definition.freightType);
                text += scalar(7, "Density", "sFloat32", "1.2");
                text += indent(6, "</cBulkCargoDef>");
            } else {
                text += indent(6, "<cPassengerDoorwayDef d:id=\"" + std::to_string(++id) + "\">");
                text += scalar(7, "MaxPassengers", "sInt32", "64");
                text += indent(6, "</cPassengerDoorwayDef>");
            }
        }
        text += indent(5, "</CargoDef>");
    }
    text += indent(4, "</cCargoComponentBlueprint>");
    text += indent(3, "</CargoComponent>");
    text += scalar(3, "Name", "cDeltaString", "A later name");
    text += indent(2, "</" + element + ">");
    text += indent(1, "</Blueprint>");
    text += "</cBlueprintLoader>";
    return converterLayout(text);
}

BlueprintFixture BlueprintFixture::engine(std::string type, std::string englishName) {
    BlueprintFixture fixture;
    fixture.engineType = std::move(type);
    fixture.english = std::move(englishName);
    return fixture;
}

BlueprintFixture BlueprintFixture::tender(std::string englishName) {
    BlueprintFixture fixture;
    fixture.element = "cTenderBlueprint";
    fixture.engineType.reset();
    fixture.english = std::move(englishName);
    fixture.cargo = {{CargoDefinition::Kind::Bulk, "8.5", "eBulkFreightTypeCoal"}};
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
