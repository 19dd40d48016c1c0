// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/LocaleNumber.h"

#include <QString>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace dovrel {

namespace {

// A decimal number as digit texts: sign, integer digits (at least one), fraction digits.
struct DecimalDigits {
    bool negative = false;
    std::string integer;
    std::string fraction;

    bool isZero() const {
        const auto zero = [](const std::string& s) { return s.find_first_not_of('0') == std::string::npos; };
        return zero(integer) && zero(fraction);
    }
};

template <typename Number> std::optional<DecimalDigits> shortestDigits(Number value) {
    // The fixed form of the shortest round-trip text needs at most 39 integer or about 45 fraction
    // digits for a float, 309 integer or about 325 fraction digits for a double.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                      std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    DecimalDigits digits;
    digits.negative = std::signbit(value);
    const std::size_t point = text.find('.');
    digits.integer = std::string(text.substr(0, point));
    if (point != std::string_view::npos) {
        digits.fraction = std::string(text.substr(point + 1));
    }
    return digits;
}

// Rounds half away from zero to `decimals` fraction digits (padding with zeros when shorter).
DecimalDigits roundedTo(DecimalDigits digits, std::size_t decimals) {
    if (digits.fraction.size() <= decimals) {
        digits.fraction.append(decimals - digits.fraction.size(), '0');
        return digits;
    }
    const bool up = digits.fraction[decimals] >= '5';
    digits.fraction.resize(decimals);
    if (!up) {
        return digits;
    }
    std::string all = digits.integer + digits.fraction;
    bool carry = true;
    for (std::size_t i = all.size(); carry && i-- > 0;) {
        if (all[i] == '9') {
            all[i] = '0';
        } else {
            ++all[i];
            carry = false;
        }
    }
    if (carry) {
        all.insert(all.begin(), '1');
    }
    const std::size_t integerLength = all.size() - decimals;
    digits.integer = all.substr(0, integerLength);
    digits.fraction = all.substr(integerLength);
    return digits;
}

// The locale's layout for a number of this many integer digits: the locale formats a stand-in of the
// same size and sign (5 followed by zeros, so no rounding can change its length), and its digits are
// then replaced one by one. Grouping, signs and digit shapes all stay the locale's own.
std::optional<std::string> inLocaleLayout(const DecimalDigits& digits, int decimals, const QLocale& locale) {
    const double standIn = (digits.negative ? -5.0 : 5.0) * std::pow(10.0, double(digits.integer.size() - 1));
    const std::u32string layout = locale.toString(standIn, 'f', decimals).toStdU32String();
    const std::u32string zeroText = locale.zeroDigit().toStdU32String();
    const char32_t zero = zeroText.empty() ? U'0' : zeroText.front();
    const std::string wanted = digits.integer + digits.fraction;
    std::u32string shown;
    std::size_t next = 0;
    for (const char32_t c : layout) {
        if (c >= zero && c <= zero + 9) {
            if (next == wanted.size()) {
                return std::nullopt;
            }
            shown.push_back(zero + static_cast<char32_t>(wanted[next++] - '0'));
        } else {
            shown.push_back(c);
        }
    }
    if (next != wanted.size()) {
        return std::nullopt;
    }
    return QString::fromStdU32String(shown).toStdString();
}

// Plain digits with the locale's decimal sign, for a layout that does not match the digits.
std::string plainLayout(const DecimalDigits& digits, const QLocale& locale) {
    std::string text = digits.negative ? locale.negativeSign().toStdString() : std::string();
    text += digits.integer;
    if (!digits.fraction.empty()) {
        text += locale.decimalPoint().toStdString() + digits.fraction;
    }
    return text;
}

template <typename Number>
std::optional<std::string> formatNumberInLocale(Number value, int decimals, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const int shownDecimals = std::clamp(decimals, 0, 9);
    const std::optional<DecimalDigits> exact = shortestDigits(value);
    if (!exact) {
        return std::nullopt;
    }
    DecimalDigits digits = roundedTo(*exact, static_cast<std::size_t>(shownDecimals));
    if (digits.isZero()) {
        digits.negative = false;
    }
    if (auto shown = inLocaleLayout(digits, shownDecimals, locale)) {
        return shown;
    }
    return plainLayout(digits, locale);
}

} // namespace

std::optional<std::string> formatInLocale(float value, int decimals, const QLocale& locale) {
    return formatNumberInLocale(value, decimals, locale);
}

std::optional<std::string> formatWideInLocale(double value, int decimals, const QLocale& locale) {
    return formatNumberInLocale(value, decimals, locale);
}

} // namespace dovrel
