// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ConsistFileMessages.h"

#include "platform/FileStatus.h"

namespace dovrel::consistmessages {

namespace {
// Sentences of a message stand two line breaks apart.
constexpr std::string_view kGap = "\r\n\r\n";

std::string joined(std::initializer_list<std::string_view> sentences) {
    std::string text;
    bool first = true;
    for (const std::string_view sentence : sentences) {
        if (!first) {
            text.append(kGap);
        }
        text.append(sentence);
        first = false;
    }
    return text;
}
} // namespace

std::string userUnitNotFound(std::string_view blueprint) {
    return joined({blueprint, "Consist unit not found in game.", "It will not be listed."});
}

std::string scenarioUnitNotFound(std::string_view consistId, std::string_view fileName) {
    return joined({"ConsistID: " + std::string(consistId), "Unit not found: " + std::string(fileName),
                   "It will not be listed."});
}

std::string selectConsistInList() {
    return "Select consist in list.";
}

std::string consistIsFull() {
    return joined({"Consist is full.", "A consist holds at most 5001 units."});
}

std::string nameMissing() {
    return joined({"Consist Name:", "You must name the consist.", "Enter a name."});
}

std::string nameHasForbiddenSymbols() {
    return joined(
        {"Consist Name:", "\\/*:?\"<>| symbols not allowed in consist name.", "Choose another name."});
}

std::string replaceQuestion() {
    return joined({"Consist currently exists.", "Okay to replace?"});
}

std::string unitsLeftOutQuestion(std::size_t count) {
    return joined({std::to_string(count) + " units of this consist are not installed and will be left out.",
                   "Save anyway?"});
}

std::string consistSaved() {
    return "Consist saved.";
}

std::string badlyFormedXml() {
    return joined({"Operation aborted.", "Badly formed .xml file.", "See error.xml file in \\Temp folder."});
}

std::string restoreQuestion(std::string_view copy, bool gameFileExists) {
    const std::string question = "Put back the user consists of the copy of " + std::string(copy) + "?";
    return gameFileExists ? joined({question, "The file as it is now is kept as a copy first."}) : question;
}

std::string userConsistsRestored(std::string_view copy) {
    return "User consists restored from the copy of " + std::string(copy) + ".";
}

std::string copyUnreadable(std::string_view copy) {
    return joined({"Operation aborted.",
                   "The copy of " + std::string(copy) + " is an " + std::string(kUnreadableCopy) +
                       ": the converter does not read it as user consists.",
                   "ConsistTemplates.bin was left as it was."});
}

std::string couldNotWrite(const std::filesystem::path& file, std::string_view reason) {
    return "Operation aborted.\r\n\r\n" + fileNotWrittenText(file, FileStatus::failure(std::string(reason)));
}

std::string couldNotRead(const std::filesystem::path& file, std::string_view reason) {
    const std::string sentence = "Could not read " + file.string() + ".";
    if (reason.empty()) {
        return joined({"Operation aborted.", sentence});
    }
    return joined({"Operation aborted.", sentence, reason});
}

std::string couldNotCopy(const std::filesystem::path& from, const std::filesystem::path& to,
                         std::string_view reason) {
    return joined(
        {"Operation aborted.", "Could not copy " + from.string() + " to " + to.string() + ".", reason});
}

std::string couldNotConvert(const std::filesystem::path& file, std::string_view reason) {
    return joined({"Operation aborted.", "Could not convert " + file.string() + " to XML.", reason});
}

std::string notUserConsist(std::string_view name) {
    return joined({name, "Consist is not a user consist."});
}

std::string consistNotInFile(std::string_view name) {
    return joined({"Operation aborted.", name, "Consist not found in ConsistTemplates.bin file."});
}

std::string deleteQuestion() {
    return joined({"Consist currently exists on file.", "Okay to delete?"});
}

std::string consistDeleted(std::string_view name) {
    return joined({name, "Consist deleted."});
}

std::string lastConsistDeleted(std::string_view name) {
    return joined({name, "Consist deleted.", "No more user consists."});
}

} // namespace dovrel::consistmessages
