// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/ValueText.h"

#include "serz/FloatText.h"

#include <bit>
#include <charconv>
#include <limits>

namespace serz {
namespace {

void appendUnsigned(std::string& out, std::uint64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendSigned(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

double floatValue(ValueType type, std::uint64_t bits) {
    if (type == ValueType::Float32) {
        return std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    }
    return std::bit_cast<double>(bits);
}

void appendIntegerText(std::string& out, ValueType type, std::uint64_t bits) {
    if (type == ValueType::Bool) {
        out += bits != 0 ? '1' : '0';
    } else if (isSignedInteger(type)) {
        appendSigned(out, signedValue(type, bits));
    } else {
        appendUnsigned(out, bits);
    }
}

template <class T> std::optional<T> parseInteger(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// A signed value in [min, max] of a type `width` bytes wide, kept as that many low bytes.
std::optional<std::uint64_t> parseSigned(std::string_view text, std::int64_t min, std::int64_t max,
                                         std::size_t width) {
    const auto value = parseInteger<std::int64_t>(text);
    if (!value || *value < min || *value > max) {
        return std::nullopt;
    }
    const std::uint64_t bits = static_cast<std::uint64_t>(*value);
    return width == 8 ? bits : bits & ((std::uint64_t{1} << (8 * width)) - 1);
}

std::optional<std::uint64_t> parseUnsigned(std::string_view text, std::uint64_t max) {
    const auto value = parseInteger<std::uint64_t>(text);
    if (!value || *value > max) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::int64_t signedValue(ValueType type, std::uint64_t bits) {
    switch (type) {
    case ValueType::Int8:
        return static_cast<std::int8_t>(bits);
    case ValueType::Int16:
        return static_cast<std::int16_t>(bits);
    case ValueType::Int32:
        return static_cast<std::int32_t>(bits);
    default:
        return static_cast<std::int64_t>(bits);
    }
}

void appendScalarText(std::string& out, ValueType type, std::uint64_t bits) {
    if (isFloat(type)) {
        appendGeneralFloat(out, floatValue(type, bits));
    } else {
        appendIntegerText(out, type, bits);
    }
}

void appendElementText(std::string& out, ValueType type, std::uint64_t bits) {
    if (isFloat(type)) {
        appendFixedFloat(out, floatValue(type, bits));
    } else {
        appendIntegerText(out, type, bits);
    }
}

void appendAltEncoding(std::string& out, ValueType type, std::uint64_t bits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto wide = std::bit_cast<std::uint64_t>(floatValue(type, bits));
    for (int byte = 0; byte < 8; ++byte) {
        const auto b = static_cast<unsigned>((wide >> (8 * byte)) & 0xFF);
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
}

std::optional<std::uint64_t> parseValueText(ValueType type, std::string_view text) {
    using std::numeric_limits;
    switch (type) {
    case ValueType::Bool:
        if (text == "0" || text == "1") {
            return static_cast<std::uint64_t>(text[0] - '0');
        }
        return std::nullopt;
    case ValueType::Int8:
        return parseSigned(text, numeric_limits<std::int8_t>::min(), numeric_limits<std::int8_t>::max(), 1);
    case ValueType::Int16:
        return parseSigned(text, numeric_limits<std::int16_t>::min(), numeric_limits<std::int16_t>::max(), 2);
    case ValueType::Int32:
        return parseSigned(text, numeric_limits<std::int32_t>::min(), numeric_limits<std::int32_t>::max(), 4);
    case ValueType::Int64:
        return parseSigned(text, numeric_limits<std::int64_t>::min(), numeric_limits<std::int64_t>::max(), 8);
    case ValueType::UInt8:
        return parseUnsigned(text, numeric_limits<std::uint8_t>::max());
    case ValueType::UInt16:
        return parseUnsigned(text, numeric_limits<std::uint16_t>::max());
    case ValueType::UInt32:
        return parseUnsigned(text, numeric_limits<std::uint32_t>::max());
    case ValueType::UInt64:
        return parseUnsigned(text, numeric_limits<std::uint64_t>::max());
    case ValueType::Float32: {
        const auto wide = parseDecimal(text);
        const auto narrow = wide ? nearestFloat(*wide) : std::nullopt;
        if (!narrow) {
            return std::nullopt;
        }
        return std::bit_cast<std::uint32_t>(*narrow);
    }
    case ValueType::Float64: {
        const auto wide = parseDecimal(text);
        if (!wide) {
            return std::nullopt;
        }
        return std::bit_cast<std::uint64_t>(*wide);
    }
    case ValueType::String:
        break;
    }
    return std::nullopt;
}

} // namespace serz
