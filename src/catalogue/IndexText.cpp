// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/IndexText.h"

#include <charconv>

namespace dovrel {

void putIndexText(std::string& out, std::string_view text) {
    out.append(std::to_string(text.size())).push_back(':');
    out.append(text);
}

void putIndexNumber(std::string& out, long long number) {
    putIndexText(out, std::to_string(number));
}

bool IndexTextReader::skip(char expected) {
    if (position_ < text_.size() && text_[position_] == expected) {
        ++position_;
        return true;
    }
    return false;
}

std::optional<std::string_view> IndexTextReader::text() {
    const std::size_t colon = text_.find(':', position_);
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(text_.data() + position_, text_.data() + colon, length);
    if (error != std::errc() || end != text_.data() + colon || length > text_.size() - colon - 1) {
        return std::nullopt;
    }
    position_ = colon + 1 + length;
    return text_.substr(colon + 1, length);
}

std::optional<long long> IndexTextReader::number() {
    const std::optional<std::string_view> digits = text();
    if (!digits) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(digits->data(), digits->data() + digits->size(), value);
    if (error != std::errc() || end != digits->data() + digits->size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace dovrel
