// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/FloatText.h"

#include "DecimalExpansion.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace serz {
namespace {

// Appends "nan" / "inf" for values that have no digits; returns false for finite values.
bool appendNonFinite(std::string& out, double value) {
    if (std::isnan(value)) {
        out += std::signbit(value) ? "-nan" : "nan";
        return true;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
        return true;
    }
    return false;
}

// Adds one unit in the last place of a run of decimal digits; true when it carried out of the
// first digit (the digits are then all zeros).
bool incrementDigits(char* digits, std::size_t count) {
    for (std::size_t i = count; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

void appendExponent(std::string& out, int exponent) {
    out += 'e';
    out += exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    char digits[3] = {static_cast<char>('0' + magnitude / 100), static_cast<char>('0' + magnitude / 10 % 10),
                      static_cast<char>('0' + magnitude % 10)};
    out.append(digits, 3);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar accepted for a finite number: digits with an optional point (at least one digit
// on one side of it), then an optional exponent.
bool isDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
        if (i == exponentStart) {
            return false;
        }
    }
    return i == text.size();
}

// The power of ten of the first nonzero digit of a number isDecimalNumber accepts ("0.05e3" -> 1,
// "12.5" -> 1); -1 when every digit is zero. Exponents far past any double are held at a bound that
// no number of digits can offset.
long long leadingPowerOfTen(std::string_view number) {
    constexpr long long kExponentBound = 1'000'000'000'000'000;
    const std::size_t exponentAt = std::min(number.find_first_of("eE"), number.size());
    long long exponent = 0;
    if (exponentAt < number.size()) {
        std::string_view digits = number.substr(exponentAt + 1);
        const bool negative = digits.front() == '-';
        if (negative || digits.front() == '+') {
            digits.remove_prefix(1);
        }
        for (const char digit : digits) {
            exponent = std::min(exponent * 10 + (digit - '0'), kExponentBound);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return -1;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const long long place =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    return place + exponent;
}

} // namespace

void appendGeneralFloat(std::string& out, double value) {
    if (appendNonFinite(out, value)) {
        return;
    }
    if (std::signbit(value)) {
        out += '-';
    }
    if (value == 0) {
        out += '0';
        return;
    }
    const DecimalExpansion expansion(std::fabs(value));
    constexpr int kPrecision = 6;
    char significant[kPrecision];
    for (int i = 0; i < kPrecision; ++i) {
        significant[i] = expansion.digitAt(i);
    }
    int exponent = expansion.pointPosition() - 1;
    if (expansion.digitAt(kPrecision) >= '5' && incrementDigits(significant, kPrecision)) {
        significant[0] = '1';
        ++exponent;
    }
    int last = kPrecision - 1;
    while (last > 0 && significant[last] == '0') {
        --last;
    }
    if (exponent < -4 || exponent >= kPrecision) {
        out += significant[0];
        if (last > 0) {
            out += '.';
            out.append(significant + 1, last);
        }
        appendExponent(out, exponent);
    } else if (exponent >= 0) {
        out.append(significant, exponent + 1);
        if (last > exponent) {
            out += '.';
            out.append(significant + exponent + 1, last - exponent);
        }
    } else {
        out += "0.";
        out.append(-exponent - 1, '0');
        out.append(significant, last + 1);
    }
}

void appendFixedFloat(std::string& out, double value) {
    if (appendNonFinite(out, value)) {
        return;
    }
    if (std::signbit(value)) {
        out += '-';
    }
    constexpr int kDecimals = 7;
    if (value == 0) {
        out += "0.0000000";
        return;
    }
    const DecimalExpansion expansion(std::fabs(value));
    // The digits of the value times 10^7, rounded to an integer.
    const long kept = static_cast<long>(expansion.pointPosition()) + kDecimals;
    std::string scaled;
    if (kept > 0) {
        scaled.reserve(static_cast<std::size_t>(kept) + 1);
        for (long i = 0; i < kept; ++i) {
            scaled += expansion.digitAt(i);
        }
    } else {
        scaled = "0";
    }
    if (kept >= 0 && expansion.digitAt(kept) >= '5' && incrementDigits(scaled.data(), scaled.size())) {
        scaled.insert(scaled.begin(), '1');
    }
    if (scaled.size() <= kDecimals) {
        scaled.insert(0, kDecimals + 1 - scaled.size(), '0');
    }
    out.append(scaled, 0, scaled.size() - kDecimals);
    out += '.';
    out.append(scaled, scaled.size() - kDecimals, kDecimals);
}

std::optional<double> parseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view body = negative ? text.substr(1) : text;
    if (body == "inf") {
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (body == "nan") {
        return negative ? -std::nan("") : std::nan("");
    }
    if (!isDecimalNumber(body)) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && end == text.data() + text.size()) {
        return value;
    }
    if (error != std::errc::result_out_of_range) {
        return std::nullopt;
    }
    // Past the double range: a number below 1 rounds to zero (keeping its sign), one from 1 on is
    // too large and refused.
    if (leadingPowerOfTen(body) >= 0) {
        return std::nullopt;
    }
    return negative ? -0.0 : 0.0;
}

std::optional<float> nearestFloat(double value) {
    if (std::isnan(value)) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        return std::signbit(value) ? -nan : nan;
    }
    const double magnitude = std::fabs(value);
    if (std::isinf(value) || magnitude <= FLT_MAX) {
        return static_cast<float>(value);
    }
    // Between FLT_MAX and the midpoint to the next power of two, the nearest float is FLT_MAX;
    // from the midpoint on it would be infinity.
    if (magnitude < 0x1.ffffffp127) {
        return value < 0 ? -FLT_MAX : FLT_MAX;
    }
    return std::nullopt;
}

} // namespace serz
