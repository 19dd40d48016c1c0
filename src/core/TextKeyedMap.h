// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dovrel {

// A hash of a text that a std::string, a view or a literal all give alike, so that a map keyed by
// strings is looked up by a view without making a string of it.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

// A map keyed by texts, looked up by views.
template <typename Value>
using TextKeyedMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

} // namespace dovrel
