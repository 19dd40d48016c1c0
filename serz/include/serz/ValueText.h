// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/ValueType.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace serz {

// XML text of values of the number and bool types. A value travels as its raw little-endian
// bits, zero-extended to 64 bits.

// Text of a scalar: decimal integers, 0/1 for bool, the %g-like form for floats.
void appendScalarText(std::string& out, ValueType type, std::uint64_t bits);

// Text of one array element: floats in the seven-decimal fixed form, the rest as for scalars.
void appendElementText(std::string& out, ValueType type, std::uint64_t bits);

// `d:alt_encoding` of a float scalar: the value widened to a double, its eight little-endian
// bytes as sixteen upper-case hex digits.
void appendAltEncoding(std::string& out, ValueType type, std::uint64_t bits);

// Bits of a value written as text; nullopt when the text is not a value of the type or does
// not fit it. Floats take the nearest double and then, for sFloat32, the nearest float.
std::optional<std::uint64_t> parseValueText(ValueType type, std::string_view text);

// Sign-extends or keeps the stored bits as the signed integer they hold (for integer types).
std::int64_t signedValue(ValueType type, std::uint64_t bits);

} // namespace serz
