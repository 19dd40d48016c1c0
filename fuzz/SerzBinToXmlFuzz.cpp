// SPDX-License-Identifier: GPL-3.0-or-later
// serz, binary form to XML: any bytes give the XML or an error inside the input, the same when fed in
// pieces. XML the converter wrote is read back by the converter. A number's text wins over its bits on
// reading XML, so the first round trip may change bits (and d:alt_encoding); from then on the XML
// stays the same.
#include "FuzzSupport.h"
#include "SerzStreamCheck.h"
#include "serz/Conversion.h"

using dovrel::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bin = dovrel::fuzz::inputText(data, size);
    const auto xml = serz::convert(serz::Direction::BinToXml, bin);
    dovrel::fuzz::requireStreamedAsWhole(serz::Direction::BinToXml, bin, xml);
    if (!xml) {
        require(!xml.error().message.empty(), "an error says what went wrong");
        require(xml.error().position <= bin.size(), "an error's byte offset lies inside the input");
        return 0;
    }
    const auto binAgain = serz::convert(serz::Direction::XmlToBin, xml.value());
    require(binAgain.ok(), "the converter reads the XML it wrote");
    const auto xmlAgain = serz::convert(serz::Direction::BinToXml, binAgain.value());
    require(xmlAgain.ok(), "the converter reads the binary form it wrote");
    const auto binThird = serz::convert(serz::Direction::XmlToBin, xmlAgain.value());
    require(binThird.ok(), "the converter reads the XML it wrote");
    const auto xmlThird = serz::convert(serz::Direction::BinToXml, binThird.value());
    require(xmlThird.ok() && xmlThird.value() == xmlAgain.value(),
            "after one round trip, XML -> binary -> XML gives the same XML");
    return 0;
}
