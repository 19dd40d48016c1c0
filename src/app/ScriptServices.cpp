// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptServices.h"

#include "platform/qt/TextConversion.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>

namespace dovrel {

namespace {
bool fitsButtons(MessageAnswer answer, MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OK:
        return answer == MessageAnswer::OK;
    case MessageButtons::YesNo:
        return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    return answer != MessageAnswer::OK;
}

} // namespace

QJsonObject messageToJson(const RecordedMessage& message) {
    QJsonObject object;
    object.insert(QStringLiteral("text"), displayText(message.text));
    object.insert(QStringLiteral("icon"), QString::fromLatin1(iconName(message.icon)));
    object.insert(QStringLiteral("buttons"), QString::fromLatin1(buttonsName(message.buttons)));
    object.insert(QStringLiteral("answer"), QString::fromLatin1(answerName(message.answer)));
    if (message.unanswered) {
        object.insert(QStringLiteral("unanswered"), true);
    }
    return object;
}

MessageAnswer ScriptMessageBoxes::show(const std::string& text, MessageIcon icon, MessageButtons buttons) {
    RecordedMessage message{text, icon, buttons, MessageAnswer::OK, false};
    if (!answers_.empty() && fitsButtons(answers_.front(), buttons)) {
        message.answer = answers_.front();
        answers_.pop_front();
    } else {
        message.answer = dismissedAnswer(buttons);
        message.unanswered = true;
    }
    recorded_.push_back(message);
    QJsonObject line;
    line.insert(QStringLiteral("message"), messageToJson(message));
    std::cerr << QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString() << std::endl;
    return message.answer;
}

std::optional<std::filesystem::path> ScriptFileDialogs::openFile(const std::string& title,
                                                                 const std::filesystem::path& folder,
                                                                 const std::string& filter) {
    return take({title, folder, filter, std::nullopt, false});
}

std::optional<std::filesystem::path> ScriptFileDialogs::saveFile(const std::string& title,
                                                                 const std::filesystem::path& suggested,
                                                                 const std::string& filter) {
    return take({title, suggested, filter, std::nullopt, true});
}

std::optional<std::filesystem::path> ScriptFileDialogs::take(RecordedFileDialog dialog) {
    if (!results_.empty()) {
        dialog.result = results_.front();
        results_.pop_front();
    }
    recorded_.push_back(dialog);
    return dialog.result;
}

} // namespace dovrel
