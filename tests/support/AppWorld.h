// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Services.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/MemorySettingsStore.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/doubles/ScreenDoubles.h"
#include "support/TempFolder.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace dovrel::testing {

// Everything a main window needs, isolated in a temporary folder: real files and processes,
// recorded dialogs, settings in memory, the converter built beside the tests.
struct AppWorld {
    TempFolder temp;
    // A message nobody queued an answer for fails the test.
    QueuedMessageBoxes messages{
        [](const std::string& text) { ADD_FAILURE() << "unexpected message: " << text; }};
    QueuedFileDialogs fileDialogs;
    MemorySettingsStore settings;
    DiskFiles files;
    SpawnProcessRunner processes;
    CountingEventPump events;
    CountingWaitCursor waitCursor;
    RecordingPointer pointer;
    RecordingFolderOpener folders;
    QueuedRandomSource random;

    Services services(ScreenSize screen = {1280, 1024}) { return servicesWith(files, screen); }

    // The same services with other files, such as a double that fails chosen writes.
    Services servicesWith(Files& chosenFiles, ScreenSize screen = {1280, 1024}) {
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
                        temp.programFolder(),
                        std::filesystem::path(DOVREL_BIN_DIR) / "serz"};
    }

    // A game folder with Content, Content/Routes and Assets.
    std::filesystem::path makeGameFolder() const {
        std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
        std::filesystem::create_directories(temp.gameFolder() / "Assets");
        return temp.gameFolder();
    }
};

} // namespace dovrel::testing
