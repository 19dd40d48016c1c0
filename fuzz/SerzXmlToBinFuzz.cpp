// SPDX-License-Identifier: GPL-3.0-or-later
// serz, XML to binary form: any text gives the binary form or an error on a line of the input, the
// same when fed in pieces. A binary form the converter wrote converts back to XML, and that XML
// converts again.
#include "FuzzSupport.h"
#include "SerzStreamCheck.h"
#include "serz/Conversion.h"

#include <algorithm>

using dovrel::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml = dovrel::fuzz::inputText(data, size);
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    dovrel::fuzz::requireStreamedAsWhole(serz::Direction::XmlToBin, xml, bin);
    if (!bin) {
        const auto lines = static_cast<std::size_t>(std::count(xml.begin(), xml.end(), '\n')) + 1;
        require(!bin.error().message.empty(), "an error says what went wrong");
        require(bin.error().position >= 1 && bin.error().position <= lines,
                "an error's line lies inside the input");
        return 0;
    }
    const auto xmlAgain = serz::convert(serz::Direction::BinToXml, bin.value());
    require(xmlAgain.ok(), "the converter reads the binary form it wrote");
    const auto binAgain = serz::convert(serz::Direction::XmlToBin, xmlAgain.value());
    require(binAgain.ok(), "the converter reads the XML it wrote");
    return 0;
}
