// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/FileConversion.h"

#include "InputFile.h"
#include "OutputFile.h"
#include "serz/Conversion.h"
#include "serz/StreamConversion.h"

#include <memory>

namespace serz {
namespace {

// The input is read in pieces of this size.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

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
    InputFile file;
    if (const std::string reason = file.open(input); !reason.empty()) {
        return oneLine(name + ": cannot read: " + reason);
    }
    const std::filesystem::path output = outputPathOf(input, *direction);
    OutputFile outputFile(output);
    StreamConversion conversion(*direction, outputFile);
    const auto buffer = std::make_unique<char[]>(kPieceBytes);
    for (;;) {
        const long n = file.read(buffer.get(), kPieceBytes);
        if (n < 0) {
            return oneLine(name + ": cannot read: " + file.reason());
        }
        if (n == 0 || !conversion.feed({buffer.get(), static_cast<std::size_t>(n)})) {
            break;
        }
    }
    switch (conversion.finish()) {
    case StreamOutcome::Converted:
        break;
    case StreamOutcome::InputRefused: {
        const Error& error = conversion.error();
        return oneLine(name + ": " + describePosition(*direction, error.position) + ": " + error.message);
    }
    case StreamOutcome::OutputRefused:
        return oneLine(output.string() + ": cannot write: " + outputFile.reason());
    }
    if (const std::string reason = outputFile.commit(); !reason.empty()) {
        return oneLine(output.string() + ": cannot write: " + reason);
    }
    return {};
}

} // namespace serz
