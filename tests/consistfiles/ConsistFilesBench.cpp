#include "ConsistFilesBench.h"

#include "catalogue/EquipmentRecord.h"
#include "consistfiles/ScenarioConsistReader.h"
#include "consistfiles/UserConsistReader.h"
#include "convert/WorkingFiles.h"
#include "platform/doubles/QueuedRandomSource.h"

#include <numeric>

namespace dovrel::consisttest {

namespace fs = std::filesystem;

std::string fixture(std::string_view name, const std::vector<std::pair<std::string, std::string>>& fills) {
    std::string text = testing::fileText(fs::path(DOVREL_SOURCE_DIR) / "tests/consistfiles/fixtures" / name);
    for (const auto& [key, value] : fills) {
        const std::string wholeLine = "\n" + key + "\r\n";
        for (std::size_t at = text.find(wholeLine); at != std::string::npos;
             at = text.find(wholeLine, at + 1 + value.size())) {
            text.replace(at, wholeLine.size(), "\n" + value);
        }
        for (std::size_t at = text.find(key); at != std::string::npos;
             at = text.find(key, at + value.size())) {
            text.replace(at, key.size(), value);
        }
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
    std::string entryLines;
    for (const Entry& entry : entries) {
        entryLines += fixture(
            "user-entry.xml",
            {{"@ID@", entry.id}, {"@BLUEPRINT@", entry.blueprintLine()}, {"@FLIPPED@", entry.flipped}});
    }
    return fixture("user-template.xml", {{"@ATTRIBUTES@", std::string(openingAttributes)},
                                         {"@NAME@", std::string(name)},
                                         {"@ENTRIES@", entryLines}});
}

std::string namelessUserTemplate(std::string_view id) {
    std::string text = userTemplate("d:id=\"" + std::string(id) + "\"", "-", {{"x.xml"}});
    const std::size_t english = text.find("<English ");
    const std::size_t lineStart = text.rfind('\n', english) + 1;
    text.erase(lineStart, text.find('\n', english) + 1 - lineStart);
    return text;
}

std::string userConsistFile(const std::vector<std::string>& templates) {
    return fixture("user-document.xml",
                   {{"@TEMPLATES@", std::accumulate(templates.begin(), templates.end(), std::string())}});
}

std::string scenarioConsist(std::string_view id, const std::vector<Entry>& vehicles,
                            std::string_view serviceName) {
    std::string vehicleLines;
    for (const Entry& vehicle : vehicles) {
        vehicleLines += fixture("scenario-vehicle.xml",
                                {{"@FLIPPED@", vehicle.flipped}, {"@BLUEPRINT@", vehicle.blueprintLine()}});
    }
    const std::string driver =
        serviceName.empty() ? "\t\t\t\t<d:nil/>\r\n"
                            : fixture("scenario-driver.xml", {{"@SERVICE@", std::string(serviceName)}});
    return fixture("scenario-consist.xml",
                   {{"@ID@", std::string(id)}, {"@VEHICLES@", vehicleLines}, {"@DRIVER@", driver}});
}

std::string scenarioFile(const std::vector<std::string>& consists) {
    return fixture("scenario-document.xml",
                   {{"@CONSISTS@", std::accumulate(consists.begin(), consists.end(), std::string())}});
}

Bench::Bench(std::optional<ConverterMode> realConverter)
    : converter(files, realConverter ? static_cast<ProcessRunner&>(spawned) : processes,
                realConverter ? fs::path(DOVREL_BIN_DIR) / "serz" : fs::path("/opt/serz"), false,
                realConverter.value_or(ConverterMode::ChildProcess)) {
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

Outcome<ConsistReadResult> Bench::readUser(const std::vector<std::string>& catalogue) {
    Outcome<ConsistReadResult> read;
    read.result = UserConsistReader(services).readUserConsists(contentFolder(), catalogue, read.observer);
    return read;
}

Outcome<ConsistReadResult> Bench::readScenarios(const std::vector<std::string>& catalogue) {
    Outcome<ConsistReadResult> read;
    read.result =
        ScenarioConsistReader(services).readScenarioConsists(routesFolder(), catalogue, read.observer);
    return read;
}

Outcome<SaveResult> Bench::save(std::string_view name, const std::vector<std::string>& units) {
    QueuedRandomSource random;
    random.queue(0.5);
    random.queue(0.25);
    Outcome<SaveResult> saved;
    saved.result =
        UserConsistSaver(services, random).saveUserConsist(name, units, contentFolder(), saved.observer);
    return saved;
}

Outcome<DeleteResult> Bench::remove(const std::optional<std::string>& row, bool userConsistsOnShow) {
    Outcome<DeleteResult> deleted;
    deleted.result = UserConsistDeleter(services).deleteUserConsist(row, userConsistsOnShow, contentFolder(),
                                                                    deleted.observer);
    return deleted;
}

} // namespace dovrel::consisttest
