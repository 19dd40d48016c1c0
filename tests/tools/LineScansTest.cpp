// The models of the editor's line scans that the content tests rely on, checked on hand-written
// XML, so a wrong model cannot hide a fault in the generated files.

#include "LineScans.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A value element as the converter writes it.
std::string value(const std::string& name, const std::string& text) {
    return "<" + name + " d:type=\"x\">" + text + "</" + name + ">";
}

TEST(LineScans, LinesFollowTheEditorsTextRules) {
    EXPECT_EQ(scanLines("a\r\n  b \t \r\r\n\r\nc\r\n\r\n"), (std::vector<std::string>{"a", "b \t", "c"}));
    EXPECT_EQ(scanLines("a\r\n\r\n b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(containsIgnoringCase("\t<CARGODEF>", "<CargoDef>"));
    EXPECT_FALSE(containsIgnoringCase("<cConsistTemplateEntry d:id=\"1\">", "<cConsistTemplate "));
}

TEST(LineScans, BlueprintReaderTakesValuesInItsOrder) {
    const std::string coupling = crlf({value("Provider", "P"), value("Product", "Q")});
    const std::string xml =
        crlf({"<?xml?>", "<cBlueprintLoader>", "<Blueprint>", "\t\t<cTenderBlueprint>", value("Name", "t1"),
              value("English", "Tender One"), "<RailVehicleComponent>", "<FrontCouplingBlueprintID>"}) +
        coupling + crlf({value("BlueprintID", "A\\Buffer.xml"), "<RearCouplingBlueprintID>"}) + coupling +
        crlf({value("BlueprintID", ""),
              value("Mass", "40"),
              value("EaseOfDerailment", "1"),
              value("DragCoefficient", "2"),
              value("RollingFrictionCoefficient", "3"),
              value("DryFriction", "4"),
              value("WetFriction", "5"),
              value("SnowFriction", "6"),
              value("SandFrictionMultiplier", "7"),
              value("EngineType", "Steam"),
              "<CargoComponent>",
              "<CargoDef>",
              "<cBulkCargoDef d:id=\"1\">",
              value("Capacity", "9"),
              value("BulkFreightType", "Coal"),
              "<cBulkCargoDef d:id=\"2\">",
              value("Capacity", "16"),
              value("BulkFreightType", "Water"),
              "</CargoDef>",
              value("Capacity", "99")});
    const BlueprintReading r = readBlueprint(xml);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.kind, "tender");
    EXPECT_EQ(r.unitClass, "tender"); // the engine type counts for locomotives only
    EXPECT_EQ(r.englishName, "Tender One");
    EXPECT_EQ(r.frontCouplingId, "A\\Buffer.xml");
    EXPECT_EQ(r.rearCouplingId, "");
    EXPECT_EQ(r.physics, (std::array<std::string, 8>{"40", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(r.capacity, "9;16");
    EXPECT_EQ(r.bulkFreightType, "Coal;Water");

    EXPECT_EQ(readBlueprint(crlf({"a", "b", "c", "\t\t<cBogeyBlueprint>", value("Name", "b")})).status, 888);
    EXPECT_EQ(readBlueprint(crlf({"a", "b", "c", "\t\t<cEngineBlueprint d:id=\"5\">"})).status, 888);
    EXPECT_EQ(readBlueprint(crlf({"a", "b", "c", "<cWagonBlueprint>", "<Name d:type=\"x\"/>"})).status, 999);
}

TEST(LineScans, ConsistReadersSeeVehiclesDriversAndEmptyConsists) {
    const std::string vehicle =
        crlf({"<cOwnedEntity d:id=\"1\">", "<Component>", value("Flipped", "1"), "</Component>",
              "<BlueprintID>", "<BlueprintSetID>", value("Provider", "P"), "</BlueprintSetID>",
              value("BlueprintID", "R\\w.xml"), "</BlueprintID>", "</cOwnedEntity>"});
    const auto consists = readScenario(
        crlf({"<cRecordSet>", "<Record>", "<cConsist d:id=\"11\">", "<RailVehicles>"}) + vehicle +
        crlf({"</RailVehicles>", "<Driver>", "<d:nil/>", "</Driver>", "</cConsist>", "<cConsist d:id=\"12\">",
              "<RailVehicles/>", "<Driver>", "<ServiceName>", value("English", "Never read"),
              "</cConsist>"}));
    ASSERT_EQ(consists.size(), 2u);
    EXPECT_EQ(consists[0].id, "11");
    EXPECT_TRUE(consists[0].nilDriver);
    ASSERT_EQ(consists[0].vehicles.size(), 1u);
    EXPECT_EQ(consists[0].vehicles[0].blueprint, "R\\w.xml");
    EXPECT_EQ(consists[0].vehicles[0].heading, "1");
    EXPECT_TRUE(consists[1].noVehicles);
    EXPECT_EQ(consists[1].serviceName, "");

    const auto templates = readTemplates(
        crlf({"<cConsistTemplate d:id=\"7\">", "<Name>", value("English", "T"), "<ConsistEntry>",
              "<cConsistTemplateEntry d:id=\"8\">", value("BlueprintID", "a.xml"), value("Flipped", "true"),
              "</cConsistTemplateEntry>", "</cConsistTemplate>"}));
    ASSERT_EQ(templates.size(), 1u);
    EXPECT_EQ(templates[0].name, "T");
    ASSERT_EQ(templates[0].vehicles.size(), 1u);
    EXPECT_EQ(templates[0].vehicles[0].heading, "1");
}

} // namespace
} // namespace dovrel::testing
