// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// The text of the scan's index files: every value written as its length, ":" and its bytes, so any
// byte may stand in it; numbers as their decimal digits.
void putIndexText(std::string& out, std::string_view text);
void putIndexNumber(std::string& out, long long number);

// Reads such values back in order; an empty optional for a value out of shape.
class IndexTextReader {
public:
    explicit IndexTextReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return position_ == text_.size(); }
    // Steps over the expected byte; false when another stands next.
    bool skip(char expected);
    std::optional<std::string_view> text();
    std::optional<long long> number();
    // Where the next value starts, and the text read since an earlier such place.
    std::size_t position() const { return position_; }
    std::string_view textSince(std::size_t start) const { return text_.substr(start, position_ - start); }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

} // namespace dovrel
