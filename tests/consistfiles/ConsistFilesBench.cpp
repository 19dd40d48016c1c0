#include "ConsistFilesBench.h"

#include "catalogue/EquipmentRecord.h"
#include "convert/WorkingFiles.h"
#include "core/TextRules.h"

#include <fstream>

namespace dovrel::consisttest {

namespace fs = std::filesystem;

std::string converterLayout(std::string_view indented) {
    std::string text;
    for (std::string_view line : splitAt(indented, "\n")) {
        if (trimSpaces(line).empty()) {
            continue;
        }
        while (line.starts_with("    ")) {
            text.push_back('\t');
            line.remove_prefix(4);
        }
        text.append(line).append("\r\n");
    }
    return text;
}

std::string record(std::string_view englishName, std::string_view blueprintPath, std::string_view provider,
                   std::string_view product) {
    std::array<std::string, kRecordFieldCount> fields{"Engine", std::string(englishName),
                                                      std::string(provider), std::string(product),
                                                      std::string(blueprintPath)};
    fields[10] = "120";
    return EquipmentRecord::join(fields);
}

std::string Entry::blueprintLine() const {
    return tag.empty() ? "" : "<" + tag + " d:type=\"cDeltaString\">" + blueprint + "</" + tag + ">";
}

std::string userTemplate(std::string_view openingAttributes, std::string_view name,
                         const std::vector<Entry>& entries) {
    std::string text = "        <cConsistTemplate " + std::string(openingAttributes) + R"(>
            <Name>
                <Localisation-cUserLocalisedString>
                    <English d:type="cDeltaString">)" +
                       std::string(name) + R"(</English>
                    <French d:type="cDeltaString"></French>
                    <Other/>
                </Localisation-cUserLocalisedString>
            </Name>
            <ConsistEntry>
)";
    for (const Entry& entry : entries) {
        text += R"(                <cConsistTemplateEntry d:id=")" + entry.id + R"(">
                    <Blueprint>
                        <iBlueprintLibrary-cAbsoluteBlueprintID>
                            <BlueprintSetID>
                                <iBlueprintLibrary-cBlueprintSetID>
                                    <Provider d:type="cDeltaString">Acme</Provider>
                                    <Product d:type="cDeltaString">Pack</Product>
                                </iBlueprintLibrary-cBlueprintSetID>
                            </BlueprintSetID>
                            )" +
                entry.blueprintLine() + R"(
                        </iBlueprintLibrary-cAbsoluteBlueprintID>
                    </Blueprint>
                    <Flipped d:type="bool">)" +
                entry.flipped + R"(</Flipped>
                </cConsistTemplateEntry>
)";
    }
    return converterLayout(text + "            </ConsistEntry>\n        </cConsistTemplate>\n");
}

std::string userConsistFile(const std::vector<std::string>& templates) {
    std::string text = converterLayout(R"(<?xml version="1.0" encoding="utf-8"?>
<cRecordSet xmlns:d="urn:game:delta" d:version="1.0" d:id="132395920">
    <Record>)");
    for (const std::string& element : templates) {
        text += element;
    }
    return text + converterLayout("    </Record>\n</cRecordSet>");
}

std::string scenarioConsist(std::string_view id, const std::vector<Entry>& vehicles,
                            std::string_view serviceName) {
    std::string text = "        <cConsist d:id=\"" + std::string(id) + "\">\n            <RailVehicles>\n";
    for (const Entry& vehicle : vehicles) {
        text += R"(                <cOwnedEntity d:id="77">
                    <Component>
                        <cWagon d:id="78">
                            <PantographInfo d:type="cDeltaString">eBoth</PantographInfo>
                            <Flipped d:type="bool">)" +
                vehicle.flipped + R"(</Flipped>
                        </cWagon>
                    </Component>
                    <BlueprintID>
                        <iBlueprintLibrary-cAbsoluteBlueprintID>
                            )" +
                vehicle.blueprintLine() + R"(
                        </iBlueprintLibrary-cAbsoluteBlueprintID>
                    </BlueprintID>
                    <ReskinBlueprintID>
                        <iBlueprintLibrary-cAbsoluteBlueprintID>
                            <BlueprintID d:type="cDeltaString"></BlueprintID>
                        </iBlueprintLibrary-cAbsoluteBlueprintID>
                    </ReskinBlueprintID>
                </cOwnedEntity>
)";
    }
    text += "            </RailVehicles>\n            <Driver>\n";
    if (serviceName.empty()) {
        text += "                <d:nil/>\n";
    } else {
        text += R"(                <cDriver d:id="79">
                    <FinalDestination>
                        <English d:type="cDeltaString"></English>
                    </FinalDestination>
                    <ServiceName>
                        <Localisation-cUserLocalisedString>
                            <English d:type="cDeltaString">)" +
                std::string(serviceName) + R"(</English>
                        </Localisation-cUserLocalisedString>
                    </ServiceName>
                </cDriver>
)";
    }
    return converterLayout(text + "            </Driver>\n        </cConsist>\n");
}

std::string scenarioFile(const std::vector<std::string>& consists) {
    std::string text = converterLayout(R"(<?xml version="1.0" encoding="utf-8"?>
<cRecordSet xmlns:d="urn:game:delta" d:version="1.0">
    <Record>)");
    for (const std::string& consist : consists) {
        text += consist;
    }
    return text + converterLayout("    </Record>\n</cRecordSet>");
}

Bench::Bench() {
    fs::create_directories(temp.programFolder() / "Temp");
    fs::create_directories(routesFolder());
    processes.setAction([](const RecordingProcessRunner::Run& run) {
        const fs::path input = run.arguments.at(0);
        if (!testing::fileText(input).starts_with("corrupt")) {
            fs::copy_file(input, converterOutputFor(input), fs::copy_options::overwrite_existing);
        }
    });
}

void Bench::writeGameFile(const std::string& xml) const {
    temp.write(gameFile().lexically_relative(temp.path()), xml);
}

void Bench::writeScenario(std::string_view route, std::string_view scenario, const std::string& xml) const {
    const fs::path file =
        routesFolder() / std::string(route) / "Scenarios" / std::string(scenario) / "Scenario.bin";
    temp.write(file.lexically_relative(temp.path()), xml);
}

std::vector<std::string> Bench::convertedNames() const {
    std::vector<std::string> names;
    for (const RecordingProcessRunner::Run& run : processes.runs()) {
        names.push_back(fs::path(run.arguments.at(0)).filename().string());
    }
    return names;
}

void Bench::answer(MessageAnswer answer, int times) {
    for (int i = 0; i < times; ++i) {
        messages.queue(answer);
    }
}

} // namespace dovrel::consisttest
