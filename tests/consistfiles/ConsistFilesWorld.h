// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConsistFilePrinters.h"
#include "catalogue/EquipmentRecord.h"
#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ScenarioConsistReader.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistReader.h"
#include "consistfiles/UserConsistSaver.h"
#include "convert/WorkingFiles.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/FailingFiles.h"
#include "platform/doubles/FixedClock.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/doubles/RecordingProcessRunner.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::consisttest {

namespace fs = std::filesystem;

// A file of fixtures/ with its @KEY@ placeholders filled; one alone on its line replaces the line.
inline std::string fixture(std::string_view name,
                           const std::vector<std::pair<std::string, std::string>>& fills = {}) {
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

// A catalogue record whose englishName, provider, product and blueprintPath are given.
inline std::string record(std::string_view englishName, std::string_view blueprintPath,
                          std::string_view provider = "Acme", std::string_view product = "Pack") {
    std::array<std::string, kRecordFieldCount> fields{"Engine", std::string(englishName),
                                                      std::string(provider), std::string(product),
                                                      std::string(blueprintPath)};
    fields[10] = "120";
    return EquipmentRecord::join(fields);
}

// A template entry or a scenario vehicle; an empty tag leaves the blueprint line out.
struct Entry {
    std::string blueprint;
    std::string flipped = "0";
    std::string id = "900";
    std::string tag = "BlueprintID";
    std::string provider = "Acme";
    std::string product = "Pack";
    std::string blueprintLine() const {
        return tag.empty() ? "" : "<" + tag + " d:type=\"cDeltaString\">" + blueprint + "</" + tag + ">";
    }
};

// A cConsistTemplate element as the converter writes it; openingAttributes follow the tag name.
inline std::string userTemplate(std::string_view openingAttributes, std::string_view name,
                                const std::vector<Entry>& entries) {
    std::string entryLines;
    for (const Entry& entry : entries) {
        entryLines += fixture("user-entry.xml", {{"@ID@", entry.id},
                                                 {"@BLUEPRINT@", entry.blueprintLine()},
                                                 {"@FLIPPED@", entry.flipped},
                                                 {"@PROVIDER@", entry.provider},
                                                 {"@PRODUCT@", entry.product}});
    }
    return fixture("user-template.xml", {{"@ATTRIBUTES@", std::string(openingAttributes)},
                                         {"@NAME@", std::string(name)},
                                         {"@ENTRIES@", entryLines}});
}

// A template as the game could write it without a name: no English line at all.
inline std::string namelessUserTemplate(std::string_view id) {
    std::string text = userTemplate("d:id=\"" + std::string(id) + "\"", "-", {{"x.xml"}});
    const std::size_t english = text.find("<English ");
    const std::size_t lineStart = text.rfind('\n', english) + 1;
    return text.erase(lineStart, text.find('\n', english) + 1 - lineStart);
}

// A template whose d:id is 0: the converter writes its opening tag without the attribute.
inline std::string hiddenUserTemplate(std::string_view name) {
    std::string text = userTemplate("d:id=\"0\"", name, {{"x.xml"}});
    const std::string opening = "<cConsistTemplate d:id=\"0\">";
    return text.replace(text.find(opening), opening.size(), "<cConsistTemplate>");
}

inline std::string userConsistFile(const std::vector<std::string>& templates) {
    return fixture("user-document.xml",
                   {{"@TEMPLATES@", std::accumulate(templates.begin(), templates.end(), std::string())}});
}

// A scenario consist with its vehicles; an empty service name gives a driver without one.
inline std::string scenarioConsist(std::string_view id, const std::vector<Entry>& vehicles,
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

inline std::string scenarioFile(const std::vector<std::string>& consists) {
    return fixture("scenario-document.xml",
                   {{"@CONSISTS@", std::accumulate(consists.begin(), consists.end(), std::string())}});
}

// Every call a command makes on its observer, in order.
class RecordingObserver final : public ConsistReadObserver, public SaveObserver, public DeleteObserver {
public:
    std::vector<std::string> log;
    void listReset() override { log.push_back("reset"); }
    void rowListed(const ConsistRow& row) override { log.push_back("row " + row.text()); }
    void progressShown(const std::string& caption) override { log.push_back("progress " + caption); }
    void busyPointerShown(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
    void nameTrimmed(const std::string& name) override { log.push_back("name " + name); }
    void consistSaved(const std::string& name) override { log.push_back("saved " + name); }
    void consistDeleted() override { log.push_back("deleted"); }
    void lastConsistDeleted() override { log.push_back("last"); }
};

template <typename Result> struct Outcome {
    Result result;
    RecordingObserver observer;
};

// A consist-file command's world. The converter copies its input ("corrupt..." gives nothing), or is serz.
struct World {
    explicit World(std::optional<ConverterMode> realConverter = std::nullopt)
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

    testing::TempFolder temp;
    DiskFiles realFiles;
    FailingFiles files{realFiles};
    RecordingProcessRunner processes;
    SpawnProcessRunner spawned;
    ConverterRunner converter;
    CountingEventPump events;
    QueuedMessageBoxes messages;
    // 2026-12-06 20:58:07 UTC; the tests run with TZ=UTC.
    FixedClock clock{std::chrono::system_clock::from_time_t(1796590687)};
    UserConsistBackups backups{files, clock, temp.programFolder()};
    ConsistFileServices services{files, converter, events, messages, backups, temp.programFolder()};

    fs::path contentFolder() const { return temp.gameFolder() / "Content"; }
    fs::path routesFolder() const { return contentFolder() / "Routes"; }
    fs::path gameFile() const { return contentFolder() / "ConsistTemplates.bin"; }
    fs::path tempFile(std::string_view name) const {
        return temp.programFolder() / "Temp" / std::string(name);
    }
    void writeGameFile(const std::string& xml) const {
        temp.write(gameFile().lexically_relative(temp.path()), xml);
    }
    void writeScenario(std::string_view route, std::string_view scenario, const std::string& xml) const {
        const fs::path file = routesFolder() / route / "Scenarios" / scenario / "Scenario.bin";
        temp.write(file.lexically_relative(temp.path()), xml);
    }
    std::vector<std::string> convertedNames() const {
        std::vector<std::string> names;
        for (const RecordingProcessRunner::Run& run : processes.runs()) {
            names.push_back(fs::path(run.arguments.at(0)).filename().string());
        }
        return names;
    }
    void answer(std::initializer_list<MessageAnswer> answers, int times = 1) {
        for (int i = 0; i < times * static_cast<int>(answers.size()); ++i) {
            messages.queue(answers.begin()[i % answers.size()]);
        }
    }

    Outcome<ConsistReadResult> readUser(const std::vector<std::string>& catalogue) {
        Outcome<ConsistReadResult> read;
        read.result = UserConsistReader(services).readUserConsists(contentFolder(), catalogue, read.observer);
        return read;
    }
    Outcome<ConsistReadResult> readScenarios(const std::vector<std::string>& catalogue) {
        Outcome<ConsistReadResult> read;
        read.result =
            ScenarioConsistReader(services).readScenarioConsists(routesFolder(), catalogue, read.observer);
        return read;
    }
    // The random draws 0.5 and 0.25 give the ids 550000000 and 325000000.
    Outcome<SaveResult> save(std::string_view name, const std::vector<std::string>& units,
                             const SaveContext& context = {}) {
        QueuedRandomSource random;
        random.queue(0.5);
        random.queue(0.25);
        Outcome<SaveResult> saved;
        saved.result = UserConsistSaver(services, random)
                           .saveUserConsist(name, units, contentFolder(), saved.observer, context);
        return saved;
    }
    Outcome<DeleteResult> remove(const std::optional<ListedRow>& row, bool userConsistsOnShow = true) {
        Outcome<DeleteResult> deleted;
        deleted.result = UserConsistDeleter(services).deleteUserConsist(row, userConsistsOnShow,
                                                                        contentFolder(), deleted.observer);
        return deleted;
    }
};

// A small catalogue of one loco and one wagon, and an empty slot after them.
inline const std::string kLoco = R"(RailVehicles\Diesel\Class 66\class66.xml)";
inline const std::string kWagon = R"(RailVehicles\Freight\Hopper\hopper.xml)";
inline const std::vector<std::string> kCatalogue = {record("Class 66", kLoco), record("Hopper", kWagon), ""};

} // namespace dovrel::consisttest
