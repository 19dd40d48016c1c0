// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/Conversion.h"

#include "serz/StreamConversion.h"
#include "serz/StringSink.h"

#include <cctype>

namespace serz {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<Direction> directionOf(const std::filesystem::path& input) {
    const std::string extension = input.extension().string();
    if (equalsIgnoringCase(extension, ".bin")) {
        return Direction::BinToXml;
    }
    if (equalsIgnoringCase(extension, ".xml")) {
        return Direction::XmlToBin;
    }
    return std::nullopt;
}

std::filesystem::path outputPathOf(const std::filesystem::path& input, Direction direction) {
    std::filesystem::path output = input;
    output.replace_extension(direction == Direction::BinToXml ? ".xml" : ".bin");
    return output;
}

Result<std::string> convert(Direction direction, std::string_view input) {
    StringSink output;
    StreamConversion conversion(direction, output);
    conversion.feed(input);
    if (conversion.finish() != StreamOutcome::Converted) {
        return conversion.error();
    }
    return std::move(output.text);
}

std::string describePosition(Direction direction, std::size_t position) {
    return (direction == Direction::BinToXml ? "byte offset " : "line ") + std::to_string(position);
}

} // namespace serz
