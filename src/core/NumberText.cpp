// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace dovrel {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a number text (not zero) lies below 1 in size: the power of ten of its first significant
// digit plus its exponent is negative. "0.0012" and "12e-5" are below 1, "120" and "0.5e3" are not.
bool belowOne(std::string_view text) {
    const std::size_t exponentAt = text.find_first_of("eE");
    std::string_view digits = text.substr(0, exponentAt);
    if (digits.starts_with('-')) {
        digits.remove_prefix(1);
    }
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const std::size_t first = digits.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return true;
    }
    // Exponents are counted up to this limit, beyond which only their sign matters.
    constexpr long long kLimit = 1'000'000'000'000LL;
    long long power =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = text.substr(exponentAt + 1);
        const bool negative = exponent.starts_with('-');
        if (negative || exponent.starts_with('+')) {
            exponent.remove_prefix(1);
        }
        long long value = 0;
        for (const char c : exponent) {
            value = std::min(kLimit, value * 10 + (c - '0'));
        }
        power += negative ? -value : value;
    }
    return power < 0;
}
} // namespace

bool isNumberText(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i == text.size()) {
        return true;
    }
    if (text[i] != 'e' && text[i] != 'E') {
        return false;
    }
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return false;
        }
    }
    return true;
}

std::optional<double> parseNumberText(std::string_view text) {
    if (!isNumberText(text)) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow and underflow; numbers beyond a double,
        // however they are written, are still numbers, so give them their limit.
        const bool negative = text.front() == '-';
        if (belowOne(text)) {
            return negative ? -0.0 : 0.0;
        }
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}

} // namespace dovrel
