// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace serz::utf8 {

// Bytes of the well-formed UTF-8 sequence at `p` (1 to 4), or 0 when the bytes there are not one
// (a stray continuation byte, an overlong form, a surrogate, a value past U+10FFFF or a sequence
// cut short by `available`).
std::size_t sequenceLength(const unsigned char* p, std::size_t available);

// Bytes a sequence starting with this lead byte claims to take (1 to 4), or 0 for no lead byte.
std::size_t claimedLength(unsigned char lead);

// Offset of the first byte that is not part of well-formed UTF-8, or npos when the text is valid.
std::size_t firstInvalid(std::string_view text);

// UTF-16 code units the (valid) text takes: two for each character outside the BMP.
std::size_t utf16Length(std::string_view text);

// Appends the UTF-8 form of a Unicode scalar value.
void appendCodePoint(std::string& out, char32_t codePoint);

} // namespace serz::utf8
