// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8Stream.h"

#include "LineEnds.h"
#include "serz/Utf8.h"

#include <algorithm>

namespace serz {

bool Utf8Stream::check(std::string_view piece, bool last) {
    if (failed_) {
        return false;
    }
    if (!cut_.empty()) {
        // Completes the cut character with the first bytes of this piece.
        const std::size_t claimed = utf8::claimedLength(static_cast<unsigned char>(cut_.front()));
        const std::size_t taken = std::min(claimed - cut_.size(), piece.size());
        cut_.append(piece.substr(0, taken));
        piece.remove_prefix(taken);
        if (cut_.size() < claimed && !last) {
            return true;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(cut_.data());
        if (utf8::sequenceLength(bytes, cut_.size()) != cut_.size()) {
            return invalidAt({}, 0);
        }
        cut_.clear();
    }
    // A character that the end of the piece may cut short waits for the next piece.
    std::size_t whole = piece.size();
    if (!last) {
        for (std::size_t back = 1; back <= 3 && back <= piece.size(); ++back) {
            const auto c = static_cast<unsigned char>(piece[piece.size() - back]);
            if (c >= 0xC0) {
                if (utf8::claimedLength(c) > back) {
                    whole = piece.size() - back;
                }
                break;
            }
            if (c < 0x80) {
                break;
            }
        }
    }
    const std::string_view checked = piece.substr(0, whole);
    if (const std::size_t bad = utf8::firstInvalid(checked); bad != std::string_view::npos) {
        return invalidAt(checked, bad);
    }
    lines_ += countLineEnds(checked);
    cut_.assign(piece.substr(whole));
    return true;
}

bool Utf8Stream::invalidAt(std::string_view checked, std::size_t offset) {
    errorLine_ = lines_ + countLineEnds(checked.substr(0, offset));
    failed_ = true;
    return false;
}

} // namespace serz
