#pragma once

#include "app/Services.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/MemorySettingsStore.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/doubles/ScreenDoubles.h"
#include "platform/qt/QtFiles.h"
#include "platform/qt/QtProcessRunner.h"
#include "support/TempFolder.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace dovrel::testing {

// Message boxes for widget tests: each is recorded and takes the next queued answer. A message
// nobody expected fails the test (and is answered OK or Cancel so the program goes on).
class ExpectedMessages final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        MessageAnswer answer;
    };

    void queue(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Shown& s : shown_) {
            all.push_back(s.text);
        }
        return all;
    }
    void clear() { shown_.clear(); }
    bool allAnswersUsed() const { return answers_.empty(); }

    MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        MessageAnswer answer = buttons == MessageButtons::OK ? MessageAnswer::OK : MessageAnswer::Cancel;
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected message: " << text;
        } else {
            answer = answers_.front();
            answers_.pop_front();
        }
        shown_.push_back({text, icon, buttons, answer});
        return answer;
    }

private:
    std::deque<MessageAnswer> answers_;
    std::vector<Shown> shown_;
};

// Everything a main window needs, isolated in a temporary folder: real files and processes,
// recorded dialogs, settings in memory, the converter built beside the tests.
struct AppWorld {
    TempFolder temp;
    ExpectedMessages messages;
    QueuedFileDialogs fileDialogs;
    MemorySettingsStore settings;
    QtFiles files;
    QtProcessRunner processes;
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
