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

// Feeds the file to the conversion piece by piece. The failure line, empty on success; `refused` is set
// when the sink refused the output (and the input has no fault).
std::string streamInto(const std::filesystem::path& input, Direction direction, OutputSink& output,
                       bool& refused) {
    const std::string name = input.string();
    InputFile file;
    if (const std::string reason = file.open(input); !reason.empty()) {
        return oneLine(name + ": cannot read: " + reason);
    }
    StreamConversion conversion(direction, output);
    const auto buffer = std::make_unique_for_overwrite<char[]>(kPieceBytes);
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
        return {};
    case StreamOutcome::InputRefused: {
        const Error& error = conversion.error();
        return oneLine(name + ": " + describePosition(direction, error.position) + ": " + error.message);
    }
    case StreamOutcome::OutputRefused:
        refused = true;
        return oneLine(name + ": the output was refused");
    }
    return {};
}

} // namespace

std::string streamFile(const std::filesystem::path& input, Direction direction, OutputSink& output) {
    bool refused = false;
    return streamInto(input, direction, output, refused);
}

std::string convertFile(const std::filesystem::path& input) {
    const auto direction = directionOf(input);
    if (!direction) {
        return oneLine(input.string() + ": unknown extension; expected .bin or .xml");
    }
    const std::filesystem::path output = outputPathOf(input, *direction);
    OutputFile outputFile(output);
    bool refused = false;
    if (std::string failure = streamInto(input, *direction, outputFile, refused); !failure.empty()) {
        return refused ? oneLine(output.string() + ": cannot write: " + outputFile.reason()) : failure;
    }
    if (const std::string reason = outputFile.commit(); !reason.empty()) {
        return oneLine(output.string() + ": cannot write: " + reason);
    }
    return {};
}

} // namespace serz
