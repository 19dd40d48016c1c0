// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace serz {

// The value types a scalar or an array element can have. Their stored names are the type
// strings of the binary form and the `d:type` / `d:elementType` values of the XML.
enum class ValueType : std::uint8_t {
    Bool,
    Int8,
    UInt8,
    Int16,
    UInt16,
    Int32,
    UInt32,
    Int64,
    UInt64,
    Float32,
    Float64,
    String,
};

// The type with this stored name (exact, case-sensitive), if there is one.
std::optional<ValueType> valueTypeNamed(std::string_view name);

// The stored name of a type ("sFloat32", "cDeltaString", ...).
std::string_view nameOf(ValueType type);

// Bytes a value of this type takes in the binary form; 0 for String, which is a string reference.
std::size_t byteWidth(ValueType type);

bool isFloat(ValueType type);
bool isSignedInteger(ValueType type);

} // namespace serz
