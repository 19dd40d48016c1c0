#pragma once

#include "convert/ConverterRunner.h"
#include "platform/EventPump.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessRunner.h"
#include "platform/RandomSource.h"
#include "platform/ScreenFacilities.h"
#include "platform/SettingsStore.h"

#include <filesystem>

namespace dovrel {

// The facilities the main window works through, and where its own files live. The program passes
// the real ones; tests and scripted sessions pass their own.
struct Services {
    MessageBoxes& messages;
    FileDialogs& fileDialogs;
    SettingsStore& settings;
    Files& files;
    ProcessRunner& processes;
    EventPump& events;
    WaitCursor& waitCursor;
    Pointer& pointer;
    FolderOpener& folders;
    RandomSource& random;
    ScreenSize screen;
    std::filesystem::path programFolder;
    std::filesystem::path converter;
    // The converter's output joins the editor's standard error (scripted sessions).
    bool forwardConverterOutput = false;
    // The bundled converter runs as its codec inside the editor; another one as a program.
    ConverterMode converterMode = ConverterMode::ChildProcess;
};

} // namespace dovrel
