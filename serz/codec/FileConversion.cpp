// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/FileConversion.h"

#include "InputFile.h"
#include "OutputFile.h"
#include "serz/Conversion.h"

namespace serz {
namespace {

// Makes a message one line of readable length: control characters (from names or values quoted
// out of the input) become '?', and an overlong message is cut at a character boundary.
std::string oneLine(std::string message) {
    constexpr std::size_t kMaxLength = 400;
    for (char& c : message) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    if (message.size() > kMaxLength) {
        std::size_t cut = kMaxLength;
        while (cut > 0 && (static_cast<unsigned char>(message[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        message.resize(cut);
        message += "...";
    }
    return message;
}

} // namespace

std::string convertFile(const std::filesystem::path& input) {
    const std::string name = input.string();
    const auto direction = directionOf(input);
    if (!direction) {
        return oneLine(name + ": unknown extension; expected .bin or .xml");
    }
    std::string content;
    if (const std::string reason = readWholeFile(input, content); !reason.empty()) {
        return oneLine(name + ": cannot read: " + reason);
    }
    const Result<std::string> converted = convert(*direction, content);
    if (!converted) {
        const Error& error = converted.error();
        return oneLine(name + ": " + describePosition(*direction, error.position) + ": " + error.message);
    }
    const std::filesystem::path output = outputPathOf(input, *direction);
    OutputFile file(output);
    if (const std::string reason = file.commit(converted.value()); !reason.empty()) {
        return oneLine(output.string() + ": cannot write: " + reason);
    }
    return {};
}

} // namespace serz
