// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistReadObserver.h"
#include "consistfiles/UserConsistBackups.h"
#include "convert/ConverterRunner.h"
#include "convert/WorkingFiles.h"
#include "platform/DiskFiles.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/FixedClock.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/RecordingProcessRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::fuzz {

// A game folder with a user-consist file and one scenario, and a program folder, made once for the
// whole fuzzing process under $TMPDIR (or /tmp).
class ReaderFolders {
public:
    ReaderFolders() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/dovrel-fuzz-reader.XXXXXX";
        root_ = ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path("/tmp");
        std::filesystem::create_directories(programFolder() / "Temp");
        const std::filesystem::path scenario = routesFolder() / "Route" / "Scenarios" / "Scenario";
        std::filesystem::create_directories(scenario);
        for (const std::filesystem::path& file :
             {contentFolder() / "ConsistTemplates.bin", scenario / "Scenario.bin"}) {
            std::ofstream(file) << "SERZ";
        }
    }
    ~ReaderFolders() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ReaderFolders(const ReaderFolders&) = delete;
    ReaderFolders& operator=(const ReaderFolders&) = delete;

    std::filesystem::path programFolder() const { return root_ / "program"; }
    std::filesystem::path contentFolder() const { return root_ / "game" / "Content"; }
    std::filesystem::path routesFolder() const { return contentFolder() / "Routes"; }

private:
    std::filesystem::path root_;
};

// What a consist reader works with, for one input: the files on disk, and a converter whose run
// writes the input as the XML it made. Messages are answered OK and counted.
class ReaderWorld {
public:
    ReaderWorld(const ReaderFolders& folders, std::string_view xml)
        : services_{files_, converter_, events_, messages_, backups_, folders.programFolder()} {
        processes_.setAction([xml](const RecordingProcessRunner::Run& run) {
            std::ofstream(converterOutputFor(run.arguments.at(0)), std::ios::binary)
                .write(xml.data(), static_cast<std::streamsize>(xml.size()));
        });
    }

    ConsistFileServices& services() { return services_; }
    std::size_t messagesShown() const { return messages_.shown().size(); }

private:
    DiskFiles files_;
    RecordingProcessRunner processes_;
    ConverterRunner converter_{files_, processes_, "/opt/serz", false, ConverterMode::ChildProcess};
    CountingEventPump events_;
    QueuedMessageBoxes messages_{[](const std::string&) {}};
    FixedClock clock_{std::chrono::system_clock::from_time_t(1796590687)};
    UserConsistBackups backups_{files_, clock_, "/nonexistent"};
    ConsistFileServices services_;
};

// The window's part of a read: the rows it was told to list.
class ListedRows final : public ConsistReadObserver {
public:
    void listReset() override { rows.clear(); }
    void rowListed(const ConsistRow& row) override { rows.push_back(row); }
    void progressShown(const std::string&) override {}
    void busyPointerShown(bool) override {}

    std::vector<ConsistRow> rows;
};

} // namespace dovrel::fuzz
