// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::sample {

// Writes a document in the converter's XML layout, the text the converter itself writes for the
// same records: the declaration, the namespace on the root, one element per line, one TAB per
// level, CR LF after every line, a childless element as <Name/>, ids as signed 32-bit numbers,
// floats in the converter's own number text with their d:alt_encoding. Element names are given
// as they stand in the XML ("iBlueprintLibrary-cAbsoluteBlueprintID").
class XmlBuilder {
public:
    explicit XmlBuilder(std::string_view rootName, std::uint32_t rootId = 0, std::size_t reserve = 4096);

    void open(std::string_view name, std::uint32_t id = 0);
    void close();
    // An element without children: <Name/>.
    void empty(std::string_view name, std::uint32_t id = 0);

    void text(std::string_view name, std::string_view value);
    void boolean(std::string_view name, bool value);
    void int32(std::string_view name, std::int32_t value);
    void uint8(std::string_view name, std::uint8_t value);
    void uint32(std::string_view name, std::uint32_t value);
    void uint64(std::string_view name, std::uint64_t value);
    void float32(std::string_view name, double value);
    void float64(std::string_view name, double value);
    void floats(std::string_view name, const std::vector<double>& values);
    void reference(std::string_view name, std::uint32_t id);
    void nil();

    // Closes what is still open and hands over the text.
    std::string finish();

    // Hands over the text written so far, which the builder then forgets; what follows continues it.
    std::string takeText();
    std::size_t textSize() const { return out_.size(); }

private:
    void startLine();
    void valueStart(std::string_view name, std::string_view type);
    void valueEnd(std::string_view name);
    void floatValue(std::string_view name, bool single, double value);

    std::string out_;
    std::vector<std::string> open_;
    bool pending_ = false; // the last open tag still waits for ">" or "/>"
};

// Text with the five characters XML reserves written as entities.
std::string escapedXml(std::string_view text);

} // namespace dovrel::sample
