#include "core/NumberText.h"

#include <charconv>
#include <limits>

namespace dovrel {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
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
        // from_chars leaves the value alone on overflow and underflow; huge exponents are
        // still numbers, so give them their limit.
        const bool negative = text.front() == '-';
        const bool tiny =
            text.find_first_of("eE") != std::string_view::npos && text[text.find_first_of("eE") + 1] == '-';
        if (tiny) {
            return negative ? -0.0 : 0.0;
        }
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}

} // namespace dovrel
