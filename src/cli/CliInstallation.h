// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "cli/CliArguments.h"
#include "cli/CliTables.h"
#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/UserConsistBackups.h"
#include "consistfiles/UserConsistSaver.h"
#include "convert/ConverterRunner.h"
#include "core/GameFolderLayout.h"
#include "platform/DiskFiles.h"
#include "platform/EventPump.h"
#include "platform/MessageBoxes.h"
#include "platform/RandomSource.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/WallClock.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dovrel::cli {

// Where the program's own files and the converter are, as the editor finds them.
struct CliEnvironment {
    std::filesystem::path programFolder;
    std::filesystem::path converter;
    ConverterMode converterMode = ConverterMode::InProcess;
    std::optional<std::string> randomSeed; // DOVREL_RANDOM_SEED
};

// The command-line program has no window whose events wait.
class NoEventPump final : public EventPump {
public:
    void pump() override {}
};

// One game installation as the editor's logic sees it: the catalogue from the program folder's cache
// or a scan, the user and scenario consists, and saves through the editor's save path (a copy in
// Backups first, the user-consist file's lock waited for a few seconds).
class CliInstallation {
public:
    static constexpr std::chrono::milliseconds kLockPatience{3000};

    CliInstallation(const CliEnvironment& environment, std::filesystem::path gameFolder,
                    MessageBoxes& messages);

    // Why the game folder cannot be used; empty when it can.
    std::string problem() const;

    // The catalogue of the cache when it was made from this installation's assets, else of a scan
    // (always a scan with refresh).
    Catalogue catalogue(bool refresh);

    // The consists of the user-consist file and of the scenarios, in the editor's order.
    std::vector<ConsistEntry> consists(ConsistScope scope, const Catalogue& catalogue);
    // The user-consist file was there but could not be read by consists() (its message was shown).
    bool userFileUnread() const { return userFileUnread_; }

    // Saves the units as a user consist under the name, as the window's Save does.
    SaveResult save(const std::string& name, const std::vector<std::string>& units,
                    const Catalogue& catalogue);

    Files& files() { return files_; }

private:
    std::filesystem::path gameFolder_;
    GameFolderLayout layout_;
    std::filesystem::path programFolder_;
    MessageBoxes& messages_;
    DiskFiles files_;
    SpawnProcessRunner processes_;
    ConverterRunner converter_;
    NoEventPump events_;
    SystemClock clock_;
    UserConsistBackups backups_;
    ConsistFileServices services_;
    MersenneRandomSource random_;
    bool userFileUnread_ = false;
};

} // namespace dovrel::cli
