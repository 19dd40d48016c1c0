// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace serz {

// Checks that a text read piece by piece is well-formed UTF-8, a character cut between two pieces
// included, and counts its lines up to the first byte that is not.
class Utf8Stream {
public:
    // Checks the next piece (`last`: no piece follows). False from the first invalid byte on.
    bool check(std::string_view piece, bool last);

    // The 1-based line of the first invalid byte.
    std::size_t errorLine() const { return errorLine_; }

private:
    bool invalidAt(std::string_view checked, std::size_t offset);

    std::string cut_;       // the bytes of a character that the end of a piece cut short
    std::size_t lines_ = 1; // the line the text checked so far ends on
    std::size_t errorLine_ = 0;
    bool failed_ = false;
};

} // namespace serz
