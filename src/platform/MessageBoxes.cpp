// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBoxes.h"

namespace dovrel {

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Exclamation:
        return "exclamation";
    case MessageIcon::Error:
        return "error";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::None:
        break;
    }
    return "none";
}

const char* buttonsName(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNoCancel:
        return "YesNoCancel";
    case MessageButtons::YesNo:
        return "YesNo";
    case MessageButtons::OK:
        break;
    }
    return "OK";
}

MessageAnswer dismissedAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OK:
        break;
    }
    return MessageAnswer::OK;
}

const char* answerName(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Yes:
        return "Yes";
    case MessageAnswer::No:
        return "No";
    case MessageAnswer::Cancel:
        return "Cancel";
    case MessageAnswer::OK:
        break;
    }
    return "OK";
}

} // namespace dovrel
