// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/BinFormat.h"
#include "serz/Utf8.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace serz::testing {

using dovrel::testing::fileText;

// A test vector of the converter, and whether its XML converts to its .fromxml.bin, not its .bin.
struct Vector {
    std::string name;
    bool xmlGivesOtherBin;
    std::filesystem::path file(const std::string& extension) const {
        return std::filesystem::path(DOVREL_SOURCE_DIR) / "tests/fixtures/serz" / (name + extension);
    }
    std::filesystem::path bin() const { return file(".bin"); }
    std::filesystem::path xml() const { return file(".xml"); }
    std::filesystem::path binFromXml() const { return file(xmlGivesOtherBin ? ".fromxml.bin" : ".bin"); }
};
inline const std::vector<Vector> kVectors = {
    {"scalars", false},    {"floats", true},      {"arrays", false}, {"names_and_escapes", true},
    {"cache_wrap", false}, {"nested_ids", false}, {"marker43", true}};

// Byte builders for hand-made binary files.
inline std::string bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}
inline std::string u16(std::uint32_t v) {
    return bytes({int(v & 0xFF), int((v >> 8) & 0xFF)});
}
inline std::string u32(std::uint32_t v) {
    return u16(v & 0xFFFF) + u16(v >> 16);
}
// A new inline string: FFFF, the count (UTF-16 units unless given), the UTF-8 bytes.
inline std::string newString(std::string_view text, std::int64_t units = -1) {
    return u16(0xFFFF) + u32(units < 0 ? static_cast<std::uint32_t>(utf8::utf16Length(text)) : units) +
           std::string(text);
}
inline std::string header() {
    return std::string(bin::kHeader);
}
// A root "r" (slot 0, string 0) with the stored child count, holding the given bytes, closed.
inline std::string binInRoot(const std::string& inner, std::uint32_t children = 1) {
    return header() + bytes({0xFF, 0x50}) + newString("r") + u32(0) + u32(children) + inner +
           bytes({0xFF, 0x70}) + u16(0);
}

// The XML declaration and root start line as the converter writes them.
inline std::string xmlHead(std::string_view rootName = "cRecordSet") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<" + std::string(rootName) +
           " xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\">\r\n";
}

// Checks that a result is a refusal at the position whose message holds the text.
template <typename Result> void expectRefused(const Result& result, std::size_t at, std::string_view text) {
    ASSERT_FALSE(result.ok()) << text;
    EXPECT_EQ(result.error().position, at) << result.error().message;
    EXPECT_NE(result.error().message.find(text), std::string::npos) << result.error().message;
}

} // namespace serz::testing
