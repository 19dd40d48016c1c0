// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace serz {

// Turns byte offsets into 1-based line numbers. Offsets asked for in increasing order cost
// only the bytes between them.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : text_(text) {}

    std::size_t lineAt(std::size_t offset) {
        offset = std::min(offset, text_.size());
        if (offset < counted_) {
            counted_ = 0;
            line_ = 1;
        }
        line_ +=
            static_cast<std::size_t>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(counted_),
                                                text_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        counted_ = offset;
        return line_;
    }

private:
    std::string_view text_;
    std::size_t counted_ = 0;
    std::size_t line_ = 1;
};

} // namespace serz
