// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// The values of the scenario index: a number as 7 bits a byte, lowest first, the top bit of a byte
// set when another byte follows; a text as its length so written, then its bytes; any byte may
// stand in a text. Read back without a copy: a text is a view into the bytes read.
void putCompactNumber(std::string& out, std::uint64_t number);
void putCompactText(std::string& out, std::string_view text);

// Reads such values back in order; an empty optional for a value out of shape (cut off, a number
// longer than 64 bits or not written in its fewest bytes, a length past the end).
class CompactReader {
public:
    explicit CompactReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return position_ == bytes_.size(); }
    // How many bytes are left to read.
    std::size_t remaining() const { return bytes_.size() - position_; }
    std::optional<char> byte();
    std::optional<std::uint64_t> number();
    std::optional<std::string_view> text();

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

} // namespace dovrel
