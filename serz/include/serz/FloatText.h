// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace serz {

// The text rules for floating-point values. Rounding is decided on the exact binary value,
// and a tie rounds away from zero (578.8125 -> 578.813).

// Six significant digits in the style of C's %g: trailing zeros and a trailing point dropped,
// exponent form below 1e-4 and from 1e6 on, with a sign and at least three exponent digits
// ("1e-005", "3.40282e+038"). Zero is "0", negative zero "-0".
void appendGeneralFloat(std::string& out, double value);

// Fixed-point with exactly seven decimals ("0.6303032", "-0.0000000").
void appendFixedFloat(std::string& out, double value);

// The double nearest to a decimal number: an optional '-', digits with an optional point,
// an optional exponent; or "inf" / "nan" with an optional '-'. nullopt for anything else and
// for a finite number too large for a double.
std::optional<double> parseDecimal(std::string_view text);

// The float nearest to a double; nullopt when a finite value rounds past the float range.
std::optional<float> nearestFloat(double value);

} // namespace serz
