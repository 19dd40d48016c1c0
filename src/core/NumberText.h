// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace dovrel {

// A number in a game file: an optional "-", digits with at most one "." and at least one digit,
// then an optional exponent ("e" or "E", an optional sign, digits). Nothing else: no "+", no
// spaces, no inf or nan. Read without the locale.
bool isNumberText(std::string_view text);
std::optional<double> parseNumberText(std::string_view text);

} // namespace dovrel
