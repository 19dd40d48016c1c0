// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace serz::bin {

// Every file starts with these eight bytes.
inline constexpr std::string_view kHeader{"SERZ\0\0\1\0", 8};

// A lead byte of FF starts a long-form record; any other is a record-cache slot.
inline constexpr std::uint8_t kLongForm = 0xFF;
inline constexpr std::size_t kSlotCount = 255;

// A string reference of FFFF introduces a new string; other values index the string table.
inline constexpr std::uint16_t kNewString = 0xFFFF;
inline constexpr std::size_t kMaxStrings = 0xFFFF;

// Fixed arrays store their element count in one byte.
inline constexpr std::size_t kMaxArrayElements = 255;

enum Opcode : std::uint8_t {
    kOpen = 0x50,
    kClose = 0x70,
    kScalar = 0x56,
    kArray = 0x41,
    kReference = 0x52,
    kNil = 0x4E,
    kMarker = 0x43,
    kBlob = 0x42,
};

} // namespace serz::bin
