#pragma once

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
    // The program's own folder: notfound.txt lives here, the working files in its Temp folder.
    std::filesystem::path programFolder;

    std::filesystem::path tempFolder() const { return programFolder / "Temp"; }
    std::filesystem::path notFoundFile() const { return programFolder / "notfound.txt"; }
};

} // namespace dovrel
