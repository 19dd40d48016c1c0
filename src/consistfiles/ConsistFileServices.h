// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/UserConsistBackups.h"
#include "convert/ConverterRunner.h"
#include "convert/DeltaNamespace.h"
#include "platform/EventPump.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"

#include <filesystem>

namespace dovrel {

// What every consist-file command works with; the window owns each of these and lends them.
struct ConsistFileServices {
    Files& files;
    ConverterRunner& converter;
    EventPump& events;
    MessageBoxes& messages;
    // Copies of the game's user-consist file, taken before every write of it.
    UserConsistBackups& backups;
    // The program's own folder: notfound.txt lives here, the working files in its Temp folder.
    std::filesystem::path programFolder;

    std::filesystem::path tempFolder() const { return programFolder / "Temp"; }
    std::filesystem::path notFoundFile() const { return programFolder / "notfound.txt"; }
};

} // namespace dovrel
