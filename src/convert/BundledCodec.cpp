#include "convert/BundledCodec.h"

#include "serz/Conversion.h"
#include "serz/FileConversion.h"

#include <exception>

namespace dovrel {

std::optional<std::string> binaryToXml(std::string_view binary) {
    serz::Result<std::string> converted = serz::convert(serz::Direction::BinToXml, binary);
    if (!converted) {
        return std::nullopt;
    }
    return std::move(converted).value();
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
