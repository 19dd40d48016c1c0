// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/ValueType.h"

#include <array>

namespace serz {
namespace {

struct TypeInfo {
    ValueType type;
    std::string_view name;
    std::size_t width;
};

constexpr std::array<TypeInfo, 12> kTypes{{
    {ValueType::Bool, "bool", 1},
    {ValueType::Int8, "sInt8", 1},
    {ValueType::UInt8, "sUInt8", 1},
    {ValueType::Int16, "sInt16", 2},
    {ValueType::UInt16, "sUInt16", 2},
    {ValueType::Int32, "sInt32", 4},
    {ValueType::UInt32, "sUInt32", 4},
    {ValueType::Int64, "sInt64", 8},
    {ValueType::UInt64, "sUInt64", 8},
    {ValueType::Float32, "sFloat32", 4},
    {ValueType::Float64, "sFloat64", 8},
    {ValueType::String, "cDeltaString", 0},
}};

const TypeInfo& infoOf(ValueType type) {
    return kTypes[static_cast<std::size_t>(type)];
}

} // namespace

std::optional<ValueType> valueTypeNamed(std::string_view name) {
    for (const TypeInfo& info : kTypes) {
        if (info.name == name) {
            return info.type;
        }
    }
    return std::nullopt;
}

std::string_view nameOf(ValueType type) {
    return infoOf(type).name;
}

std::size_t byteWidth(ValueType type) {
    return infoOf(type).width;
}

bool isFloat(ValueType type) {
    return type == ValueType::Float32 || type == ValueType::Float64;
}

bool isSignedInteger(ValueType type) {
    return type == ValueType::Int8 || type == ValueType::Int16 || type == ValueType::Int32 ||
           type == ValueType::Int64;
}

} // namespace serz
