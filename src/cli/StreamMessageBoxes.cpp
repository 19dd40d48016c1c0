// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StreamMessageBoxes.h"

namespace dovrel::cli {

std::string oneLine(std::string_view text) {
    std::string line;
    bool breaking = false;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            breaking = true;
            continue;
        }
        if (breaking && !line.empty()) {
            line.erase(line.find_last_not_of(' ') + 1);
            line += "; ";
        }
        breaking = false;
        line.push_back(c);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

MessageAnswer StreamMessageBoxes::show(const std::string& text, MessageIcon, MessageButtons buttons) {
    if (buttons == MessageButtons::OK) {
        stream_ << "dovrel: " << oneLine(text) << '\n';
        return MessageAnswer::OK;
    }
    const MessageAnswer answer = answer_ == MessageAnswer::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    refused_ = refused_ || answer != MessageAnswer::Yes;
    stream_ << "dovrel: " << oneLine(text) << " " << answerName(answer) << '\n';
    return answer;
}

} // namespace dovrel::cli
