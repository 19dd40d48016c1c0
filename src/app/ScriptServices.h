// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxes.h"
#include "platform/ScreenFacilities.h"

#include <QJsonObject>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a scripted session puts in place of the user's dialogs: message boxes and file dialogs
// answered from the script's queues and recorded, folder openings and pointer moves recorded and
// not performed.
namespace dovrel {

struct RecordedMessage {
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::OK;
    MessageAnswer answer = MessageAnswer::OK;
    bool unanswered = false;
};

// Takes the next queued answer only when it is one of the box's buttons; otherwise leaves the
// queue alone and answers OK (an OK box), Cancel (a question) or No (a Yes/No question), marked
// unanswered. Every message
// is also written to standard error as one JSON line.
class ScriptMessageBoxes final : public MessageBoxes {
public:
    void queue(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<RecordedMessage>& recorded() const { return recorded_; }

    MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;

private:
    std::deque<MessageAnswer> answers_;
    std::vector<RecordedMessage> recorded_;
};

struct RecordedFileDialog {
    std::string title;
    std::filesystem::path folder;
    std::string filter;
    std::optional<std::filesystem::path> result;
    bool save = false; // a dialog that names a file to write
};

// Each dialog takes the next queued result; with nothing queued it is cancelled.
class ScriptFileDialogs final : public FileDialogs {
public:
    void queue(std::optional<std::filesystem::path> result) { results_.push_back(std::move(result)); }
    const std::vector<RecordedFileDialog>& recorded() const { return recorded_; }

    std::optional<std::filesystem::path> openFile(const std::string& title,
                                                  const std::filesystem::path& folder,
                                                  const std::string& filter) override;
    // The same queue answers a dialog that names a file to write.
    std::optional<std::filesystem::path> saveFile(const std::string& title,
                                                  const std::filesystem::path& suggested,
                                                  const std::string& filter) override;

private:
    std::optional<std::filesystem::path> take(RecordedFileDialog dialog);

    std::deque<std::optional<std::filesystem::path>> results_;
    std::vector<RecordedFileDialog> recorded_;
};

class ScriptPointer final : public Pointer {
public:
    struct Position {
        int x;
        int y;
    };
    void moveTo(int x, int y) override { last_ = Position{x, y}; }
    const std::optional<Position>& last() const { return last_; }

private:
    std::optional<Position> last_;
};

// {"text": ..., "icon": ..., "buttons": ..., "answer": ...[, "unanswered": true]}
QJsonObject messageToJson(const RecordedMessage& message);

class ScriptFolderOpener final : public FolderOpener {
public:
    bool open(const std::filesystem::path& folder) override {
        opened_.push_back(folder);
        return true;
    }
    const std::vector<std::filesystem::path>& opened() const { return opened_; }

private:
    std::vector<std::filesystem::path> opened_;
};

} // namespace dovrel
