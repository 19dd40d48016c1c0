#include "SerzTestData.h"

#include "serz/BinFormat.h"
#include "serz/Utf8.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace serz::testing {

std::filesystem::path vectorFolder() {
    return std::filesystem::path(DOVREL_SOURCE_DIR) / "tests/fixtures/serz";
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << file;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<Vector>& allVectors() {
    static const std::vector<Vector> vectors = {
        {"scalars", false},    {"floats", true},      {"arrays", false},  {"names_and_escapes", true},
        {"cache_wrap", false}, {"nested_ids", false}, {"marker43", true},
    };
    return vectors;
}

std::filesystem::path vectorBin(const Vector& v) {
    return vectorFolder() / (v.name + ".bin");
}
std::filesystem::path vectorXml(const Vector& v) {
    return vectorFolder() / (v.name + ".xml");
}
std::filesystem::path vectorBinFromXml(const Vector& v) {
    return vectorFolder() / (v.name + (v.xmlGivesOtherBin ? ".fromxml.bin" : ".bin"));
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

std::string u16(std::uint32_t value) {
    return bytes({int(value & 0xFF), int((value >> 8) & 0xFF)});
}

std::string u32(std::uint32_t value) {
    return bytes({int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF), int(value >> 24)});
}

std::string newString(std::string_view text, std::uint32_t units) {
    return u16(0xFFFF) + u32(units) + std::string(text);
}

std::string newString(std::string_view text) {
    return newString(text, static_cast<std::uint32_t>(utf8::utf16Length(text)));
}

std::string header() {
    return std::string(bin::kHeader);
}

std::string xmlHead(std::string_view rootName) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<" + std::string(rootName) +
           " xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\">\r\n";
}

} // namespace serz::testing
