#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistReadObserver.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/FailingFiles.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/RecordingProcessRunner.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <filesystem>
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

// Everything a consist-file command needs, over a fresh folder. The converter is a stand-in that
// copies its input to the output name unchanged (so a ".bin" holds XML), except inputs beginning
// with "corrupt", for which it writes nothing.
struct Bench {
    Bench();

    testing::TempFolder temp;
    QtFiles realFiles;
    FailingFiles files{realFiles};
    RecordingProcessRunner processes;
    ConverterRunner converter{files, processes, "/opt/serz"};
    CountingEventPump events;
    QueuedMessageBoxes messages;
    ConsistFileServices services{files, converter, events, messages, temp.programFolder()};

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
};

class RecordingReadObserver final : public ConsistReadObserver {
public:
    std::vector<std::string> log;
    void listReset() override { log.push_back("reset"); }
    void rowListed(const ConsistRow& row) override { log.push_back("row " + row.text()); }
    void progressShown(const std::string& caption) override { log.push_back("progress " + caption); }
    void busyPointerShown(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
};

} // namespace dovrel::consisttest
