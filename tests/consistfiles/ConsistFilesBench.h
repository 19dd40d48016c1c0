#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadObserver.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistSaver.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/FailingFiles.h"
#include "platform/doubles/FixedClock.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/RecordingProcessRunner.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::consisttest {

// A file of fixtures/ with its @KEY@ placeholders filled. A placeholder alone on its line stands for
// whole lines: the value replaces the line.
std::string fixture(std::string_view name,
                    const std::vector<std::pair<std::string, std::string>>& fills = {});

// A catalogue record whose englishName, provider, product and blueprintPath are given.
std::string record(std::string_view englishName, std::string_view blueprintPath,
                   std::string_view provider = "Acme", std::string_view product = "Pack");

// A template entry or a scenario vehicle. The blueprint line is written with the tag as given;
// an empty tag leaves the line out.
struct Entry {
    std::string blueprint;
    std::string flipped = "0";
    std::string id = "900";
    std::string tag = "BlueprintID";
    std::string blueprintLine() const;
};
// A cConsistTemplate element as the converter writes it; openingAttributes follow the tag name.
std::string userTemplate(std::string_view openingAttributes, std::string_view name,
                         const std::vector<Entry>& entries);
// A template as the game could write it without a name: no English line at all.
std::string namelessUserTemplate(std::string_view id);
// A user-consist document holding the templates.
std::string userConsistFile(const std::vector<std::string>& templates);

// A scenario consist with its vehicles; an empty service name gives a driver without one.
std::string scenarioConsist(std::string_view id, const std::vector<Entry>& vehicles,
                            std::string_view serviceName);
std::string scenarioFile(const std::vector<std::string>& consists);

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

// Everything a consist-file command needs, over a fresh folder. The converter is a stand-in that
// copies its input to the output name unchanged (so a ".bin" holds XML), except inputs beginning
// with "corrupt", for which it writes nothing; or, given a mode, the project's own converter.
struct Bench {
    explicit Bench(std::optional<ConverterMode> realConverter = std::nullopt);

    testing::TempFolder temp;
    QtFiles realFiles;
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

    std::filesystem::path contentFolder() const { return temp.gameFolder() / "Content"; }
    std::filesystem::path routesFolder() const { return contentFolder() / "Routes"; }
    std::filesystem::path gameFile() const { return contentFolder() / "ConsistTemplates.bin"; }
    std::filesystem::path tempFile(std::string_view name) const {
        return temp.programFolder() / "Temp" / std::string(name);
    }
    void writeGameFile(const std::string& xml) const;
    void writeScenario(std::string_view route, std::string_view scenario, const std::string& xml) const;
    // The converter's inputs, by file name.
    std::vector<std::string> convertedNames() const;
    void answer(MessageAnswer answer, int times = 1);

    Outcome<ConsistReadResult> readUser(const std::vector<std::string>& catalogue);
    Outcome<ConsistReadResult> readScenarios(const std::vector<std::string>& catalogue);
    // The random draws 0.5 and 0.25 give the ids 550000000 and 325000000.
    Outcome<SaveResult> save(std::string_view name, const std::vector<std::string>& units);
    Outcome<DeleteResult> remove(const std::optional<std::string>& row, bool userConsistsOnShow = true);
};

} // namespace dovrel::consisttest
