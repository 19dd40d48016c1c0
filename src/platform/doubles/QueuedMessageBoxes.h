// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxes.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

namespace dovrel {

// Records every message and answers from a queue. A message with no queued answer is a fault of
// the test: by default it throws; with a handler, the handler is told (a widget test fails there)
// and the box answers as if closed (OK, Cancel, or No to a Yes/No question), so the program goes on.
class QueuedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        MessageAnswer answer;
    };
    using UnexpectedHandler = std::function<void(const std::string& text)>;

    QueuedMessageBoxes() = default;
    explicit QueuedMessageBoxes(UnexpectedHandler onUnexpected) : onUnexpected_(std::move(onUnexpected)) {}

    void queue(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Shown& message : shown_) {
            all.push_back(message.text);
        }
        return all;
    }
    void clear() { shown_.clear(); }
    bool allAnswersUsed() const { return answers_.empty(); }

    MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        MessageAnswer answer = dismissedAnswer(buttons);
        if (answers_.empty()) {
            if (!onUnexpected_) {
                throw std::logic_error("unexpected message: " + text);
            }
            onUnexpected_(text);
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
    UnexpectedHandler onUnexpected_;
};

} // namespace dovrel
