// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace dovrel {

enum class MessageIcon { None, Information, Exclamation, Error, Question };
enum class MessageButtons { OK, YesNoCancel, YesNo };
enum class MessageAnswer { OK, Yes, No, Cancel };

// Modal message boxes titled "Dovrel Consist Editor". Texts are byte strings; CR LF is a line
// break. Questions default to Yes and Escape answers Cancel (No in a Yes/No box); an OK box answers OK
// to Enter and Escape.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;

    void inform(const std::string& text) { show(text, MessageIcon::Information, MessageButtons::OK); }
    void warn(const std::string& text) { show(text, MessageIcon::Exclamation, MessageButtons::OK); }
    void fail(const std::string& text) { show(text, MessageIcon::Error, MessageButtons::OK); }
    MessageAnswer ask(const std::string& text) {
        return show(text, MessageIcon::None, MessageButtons::YesNoCancel);
    }
    // A question with the question icon and only Yes and No.
    MessageAnswer askYesNo(const std::string& text) {
        return show(text, MessageIcon::Question, MessageButtons::YesNo);
    }
};

const char* iconName(MessageIcon icon);
const char* buttonsName(MessageButtons buttons);
const char* answerName(MessageAnswer answer);
// The answer of a box that is closed without a choice: OK, Cancel, or No where there is no Cancel.
MessageAnswer dismissedAnswer(MessageButtons buttons);

} // namespace dovrel
