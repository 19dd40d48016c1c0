// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxes.h"

#include <ostream>
#include <string>
#include <string_view>

namespace dovrel::cli {

// The messages of the logic the command-line program shares with the editor, written as lines to a
// stream (standard error): "dovrel: " and the message, its CR LF pairs made "; ". A question is
// written with the answer the command line gave for it.
class StreamMessageBoxes final : public MessageBoxes {
public:
    StreamMessageBoxes(std::ostream& stream, MessageAnswer answer) : stream_(stream), answer_(answer) {}

    MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;

    // Whether a question was answered No since the object was made.
    bool refusedQuestion() const { return refused_; }

private:
    std::ostream& stream_;
    MessageAnswer answer_;
    bool refused_ = false;
};

// A message's text on one line: every run of CR and LF becomes "; ", spaces before it and at the end go.
std::string oneLine(std::string_view text);

} // namespace dovrel::cli
