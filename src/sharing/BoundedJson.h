// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TextRules.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dovrel {

struct JsonValue;

// A JSON object's members in file order: names[i] names values[i].
struct JsonObject {
    std::vector<std::string> names;
    std::vector<JsonValue> values;
};

// A JSON value read from a file that may come from anyone: strings are UTF-8 bytes, numbers doubles.
struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = JsonObject;

    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value;

    const std::string* text() const { return std::get_if<std::string>(&value); }
    const double* number() const { return std::get_if<double>(&value); }
    const Array* array() const { return std::get_if<Array>(&value); }
    const Object* object() const { return std::get_if<Object>(&value); }
    // The member of an object; nullptr when this is no object or has no such member.
    const JsonValue* member(std::string_view name) const;
};

// How far a reader goes before it refuses the text.
struct JsonLimits {
    std::size_t depth = 16;        // arrays and objects inside each other
    std::size_t values = 200000;   // values in the whole text
    std::size_t textBytes = 65536; // bytes of one string, after its escapes are read
};

struct JsonParse {
    std::optional<JsonValue> value;
    // Why the text was refused, with the line it was refused at; empty when it was read.
    std::string error;
};

// Reads one JSON text (RFC 8259) without recursion deeper than the limits allow: a text that is not
// valid UTF-8, an unpaired surrogate escape, a number outside the range of a double, a member named
// twice, anything after the value, or a text past a limit is refused with the reason.
JsonParse parseBoundedJson(std::string_view text, const JsonLimits& limits = {});

// The text when it is UTF-8; else each of its bytes as the Latin-1 letter of its value, in UTF-8.
std::string utf8OrLatin1(std::string_view text);

} // namespace dovrel
