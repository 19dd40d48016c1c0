// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Services.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/MemorySettingsStore.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/doubles/ScreenDoubles.h"

#include <filesystem>

namespace dovrel::testing {

// What a main window works through besides its message boxes: real files and processes, dialogs,
// pointer and folder opening recorded, settings in memory. The tests' AppWorld and the editor's
// benchmark build on it, each with message boxes of its own.
struct WindowDoubles {
    QueuedFileDialogs fileDialogs;
    MemorySettingsStore settings;
    DiskFiles files;
    SpawnProcessRunner processes;
    CountingEventPump events;
    CountingWaitCursor waitCursor;
    RecordingPointer pointer;
    RecordingFolderOpener folders;
    QueuedRandomSource random;

    Services servicesWith(MessageBoxes& messages, Files& chosenFiles, ScreenSize screen,
                          std::filesystem::path programFolder, std::filesystem::path converter) {
        return Services{messages,
                        fileDialogs,
                        settings,
                        chosenFiles,
                        processes,
                        events,
                        waitCursor,
                        pointer,
                        folders,
                        random,
                        screen,
                        std::move(programFolder),
                        std::move(converter)};
    }
};

} // namespace dovrel::testing
