#pragma once

#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace dovrel::testing {

// True when the XML converts to the binary form and the converter writes the same text back.
inline ::testing::AssertionResult isConvertersOwnText(const std::string& xml) {
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    if (!bin) {
        return ::testing::AssertionFailure()
               << "line " << bin.error().position << ": " << bin.error().message;
    }
    const auto back = serz::convert(serz::Direction::BinToXml, bin.value());
    if (!back || back.value() != xml) {
        return ::testing::AssertionFailure() << "written back differently: " << (back ? back.value() : "");
    }
    return ::testing::AssertionSuccess();
}

} // namespace dovrel::testing
