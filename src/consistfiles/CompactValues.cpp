// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/CompactValues.h"

namespace dovrel {

namespace {
constexpr unsigned char kMore = 0x80;
constexpr unsigned char kLowBits = 0x7f;
} // namespace

void putCompactNumber(std::string& out, std::uint64_t number) {
    while (number > kLowBits) {
        out.push_back(static_cast<char>((number & kLowBits) | kMore));
        number >>= 7;
    }
    out.push_back(static_cast<char>(number));
}

void putCompactText(std::string& out, std::string_view text) {
    putCompactNumber(out, text.size());
    out.append(text);
}

std::optional<char> CompactReader::byte() {
    if (position_ == bytes_.size()) {
        return std::nullopt;
    }
    return bytes_[position_++];
}

std::optional<std::uint64_t> CompactReader::number() {
    std::uint64_t number = 0;
    for (unsigned shift = 0; position_ < bytes_.size(); shift += 7) {
        const auto next = static_cast<unsigned char>(bytes_[position_++]);
        const std::uint64_t bits = next & kLowBits;
        // Past 64 bits, or a last byte of 0 after others (a longer form of a shorter number).
        if (shift == 63 ? bits > 1 : shift > 63) {
            return std::nullopt;
        }
        number |= bits << shift;
        if ((next & kMore) == 0) {
            if (bits == 0 && shift > 0) {
                return std::nullopt;
            }
            return number;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> CompactReader::text() {
    const std::optional<std::uint64_t> length = number();
    if (!length || *length > bytes_.size() - position_) {
        return std::nullopt;
    }
    const std::string_view text = bytes_.substr(position_, static_cast<std::size_t>(*length));
    position_ += text.size();
    return text;
}

} // namespace dovrel
