// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/doubles/QueuedMessageBoxes.h"
#include "support/TempFolder.h"
#include "support/WindowDoubles.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace dovrel::testing {

// Everything a main window needs, isolated in a temporary folder: WindowDoubles, the converter built
// beside the tests, and message boxes that fail the test when nobody queued an answer.
struct AppWorld : WindowDoubles {
    TempFolder temp;
    QueuedMessageBoxes messages{
        [](const std::string& text) { ADD_FAILURE() << "unexpected message: " << text; }};

    Services services(ScreenSize screen = {1280, 1024}) { return servicesWith(files, screen); }

    // The same services with other files, such as a double that fails chosen writes.
    Services servicesWith(Files& chosenFiles, ScreenSize screen = {1280, 1024}) {
        return WindowDoubles::servicesWith(messages, chosenFiles, screen, temp.programFolder(),
                                           std::filesystem::path(DOVREL_BIN_DIR) / "serz");
    }

    // A game folder with Content, Content/Routes and Assets.
    std::filesystem::path makeGameFolder() const {
        std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
        std::filesystem::create_directories(temp.gameFolder() / "Assets");
        return temp.gameFolder();
    }
};

} // namespace dovrel::testing
