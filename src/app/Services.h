// SPDX-License-Identifier: GPL-3.0-or-later
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
    // The screen in real pixels, whatever the scale the desktop draws at.
    ScreenSize screen;
    std::filesystem::path programFolder;
    std::filesystem::path converter;
    // The converter's output joins the editor's standard error (scripted sessions).
    bool forwardConverterOutput = false;
    // The bundled converter runs as its codec inside the editor; another one as a program.
    ConverterMode converterMode = ConverterMode::ChildProcess;
    // The screen's area for windows in device-independent pixels; zero when not known, and then the
    // window is taken to fit.
    ScreenSize availableArea{};
    // The user's home folder, below which the Steam libraries are looked for; empty when not known.
    std::filesystem::path homeFolder{};
    // The point size of the desktop's ordinary font; 0 when the desktop does not tell it.
    double desktopFontPoints = 0;
};

} // namespace dovrel
