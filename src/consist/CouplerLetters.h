// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/TextKeyedMap.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dovrel {

// The code letters drawn on each side of a unit's caption: the letter of the coupler physically at
// the unit's left end and at its right end. The captions of the coupling-filter check boxes
// (`chkCoupler` 1 upward) give the letters: a caption's first character is its code letter and the
// text after its first blank its coupler's short name.
//
// One pass covers one redraw or refresh. The two letters start empty and are overwritten only on a
// match, so a side whose coupler matches no check box keeps the letter found for that side of an
// earlier unit of the same pass.
class CouplerLetterPass {
public:
    explicit CouplerLetterPass(std::span<const std::string> couplerCaptions) : captions_(couplerCaptions) {}

    // Updates the letters for a unit with these front and rear coupling ids and heading, and returns
    // its caption text: left letter, "  [", the 1-based position, "]  ", right letter.
    std::string captionFor(std::string_view frontCouplingId, std::string_view rearCouplingId, bool forward,
                           int position);

    const std::string& leftLetter() const { return left_; }
    const std::string& rightLetter() const { return right_; }

private:
    // The code letter of the first check box whose short name equals the coupler's ignoring case.
    bool findLetter(std::string_view couplingId, std::string& letter) const;

    // Coupling IDs already looked up in this pass, with their letter (none when no box matched).
    mutable TextKeyedMap<std::optional<std::string>> known_;

    std::span<const std::string> captions_;
    std::string left_;
    std::string right_;
};

// The caption text for a unit's position between two letters.
std::string unitCaptionText(std::string_view leftLetter, int position, std::string_view rightLetter);

// The caption of a unit just added: the text before the first "[" and after the first "]" each
// stripped of blanks, joined by " [NEW] ". A caption without the brackets stays as it is.
std::string markedAsNew(std::string_view caption);
// Whether a caption carries the new mark.
bool isMarkedAsNew(std::string_view caption);

} // namespace dovrel
