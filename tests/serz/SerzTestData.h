#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace serz::testing {

// The copy of the converter's test vectors kept with the tests.
std::filesystem::path vectorFolder();

// The bytes of a file; fails the current test when it cannot be read.
std::string readBytes(const std::filesystem::path& file);

// One vector and what its XML converts back to (the .bin itself or its .fromxml.bin).
struct Vector {
    std::string name;
    bool xmlGivesOtherBin;
};
const std::vector<Vector>& allVectors();
std::filesystem::path vectorBin(const Vector& vector);
std::filesystem::path vectorXml(const Vector& vector);
std::filesystem::path vectorBinFromXml(const Vector& vector);

// Byte builders for hand-made binary files.
std::string bytes(std::initializer_list<int> values);
std::string u16(std::uint32_t value);
std::string u32(std::uint32_t value);
// A new inline string: FFFF, the count (UTF-16 units unless given), the UTF-8 bytes.
std::string newString(std::string_view text);
std::string newString(std::string_view text, std::uint32_t units);
std::string header();

// The XML declaration and root start line as the converter writes them.
std::string xmlHead(std::string_view rootName = "cRecordSet");

} // namespace serz::testing
