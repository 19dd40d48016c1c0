// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BundledCodec.h"

#include "convert/BinaryToXmlStream.h"
#include "core/TextRules.h"
#include "serz/Conversion.h"
#include "serz/FileConversion.h"

#include <exception>

namespace dovrel {

std::optional<std::string> binaryToXml(std::string_view binary, std::string* failure) {
    serz::Result<std::string> converted = serz::convert(serz::Direction::BinToXml, binary);
    if (!converted) {
        if (failure != nullptr) {
            *failure = serz::describePosition(serz::Direction::BinToXml, converted.error().position) + ": " +
                       converted.error().message;
        }
        return std::nullopt;
    }
    return std::move(converted).value();
}

bool streamBinaryToXml(std::string_view binary, const std::function<void(std::string_view)>& takeLines,
                       std::string* failure) {
    // The input is fed in pieces so the conversion's output goes out while it reads.
    BinaryToXmlStream conversion(takeLines);
    for (std::size_t at = 0; at < binary.size(); at += kBinaryPieceBytes) {
        if (!conversion.feed(binary.substr(at, kBinaryPieceBytes))) {
            break;
        }
    }
    return conversion.finish(failure);
}

std::string_view rootLineOf(std::string_view xml) {
    std::size_t start = 0;
    while (start < xml.size()) {
        std::size_t end = xml.find("\r\n", start);
        if (end == std::string_view::npos) {
            end = xml.size();
        }
        const std::string_view line = trimSpaces(xml.substr(start, end - start));
        if (!line.empty() && !line.starts_with("<?") && !line.starts_with("<!")) {
            return xml.substr(start, end - start);
        }
        start = end + 2;
    }
    return {};
}

int convertFileInProcess(const std::filesystem::path& input, std::string& failure) {
    try {
        failure = serz::convertFile(input);
    } catch (const std::exception& error) {
        // Only running out of memory gets here, as in the program.
        failure = input.string() + ": " + error.what();
    }
    return failure.empty() ? 0 : 1;
}

} // namespace dovrel
