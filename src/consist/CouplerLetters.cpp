// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/CouplerLetters.h"

#include "catalogue/EquipmentRecord.h"
#include "consist/ConsistUnit.h"
#include "core/TextRules.h"

namespace dovrel {

namespace {

// The text after the caption's first blank, or the whole caption.
std::string_view couplerNameOf(std::string_view caption) {
    const std::size_t blank = caption.find(' ');
    return blank == std::string_view::npos ? caption : caption.substr(blank + 1);
}

} // namespace

bool CouplerLetterPass::findLetter(std::string_view couplingId, std::string& letter) const {
    auto known = known_.find(couplingId);
    if (known == known_.end()) {
        std::optional<std::string> found;
        const std::string shortName = shortCouplerName(couplingId);
        for (const std::string& caption : captions_) {
            if (equalsIgnoringCase(couplerNameOf(caption), shortName)) {
                found = caption.substr(0, 1);
                break;
            }
        }
        known = known_.emplace(std::string(couplingId), std::move(found)).first;
    }
    if (!known->second) {
        return false;
    }
    letter = *known->second;
    return true;
}

std::string CouplerLetterPass::captionFor(std::string_view frontCouplingId, std::string_view rearCouplingId,
                                          bool forward, int position) {
    std::string letter;
    if (findLetter(frontCouplingId, letter)) {
        (forward ? left_ : right_) = letter;
    }
    if (findLetter(rearCouplingId, letter)) {
        (forward ? right_ : left_) = letter;
    }
    return unitCaptionText(left_, position, right_);
}

std::string unitCaptionText(std::string_view leftLetter, int position, std::string_view rightLetter) {
    std::string text(leftLetter);
    text += "  [";
    text += std::to_string(position);
    text += "]  ";
    text += rightLetter;
    return text;
}

std::string markedAsNew(std::string_view caption) {
    const std::size_t open = caption.find('[');
    const std::size_t close = caption.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos) {
        return std::string(caption);
    }
    std::string text(trimSpaces(caption.substr(0, open)));
    text += " [NEW] ";
    text += trimSpaces(caption.substr(close + 1));
    return text;
}

bool isMarkedAsNew(std::string_view caption) {
    return caption.find(" [NEW] ") != std::string_view::npos;
}

} // namespace dovrel
