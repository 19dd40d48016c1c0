#pragma once

#include "platform/MessageBoxes.h"

#include <deque>
#include <stdexcept>
#include <vector>

namespace dovrel {

// Records every message and answers from a queue. A message with no queued answer is a test
// failure: it throws, so an unexpected prompt can never pass unnoticed.
class QueuedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        MessageAnswer answer;
    };

    void queue(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    bool allAnswersUsed() const { return answers_.empty(); }

    MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
        if (answers_.empty()) {
            throw std::logic_error("unexpected message: " + text);
        }
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        shown_.push_back({text, icon, buttons, answer});
        return answer;
    }

private:
    std::deque<MessageAnswer> answers_;
    std::vector<Shown> shown_;
};

} // namespace dovrel
