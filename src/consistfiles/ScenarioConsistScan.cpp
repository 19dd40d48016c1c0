// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioConsistScan.h"

#include "consistfiles/UserConsistScan.h"
#include "core/TextRules.h"

#include <array>
#include <cstdint>

namespace dovrel {

// Where a line's "<" stand, and the first letters of the names there. Every tag the scan looks for
// starts with "<" (or "</") and a letter, so a tag is in the line, letter case ignored, exactly when
// it stands at one of these places: the line is searched once instead of once for every tag tested,
// and a tag whose first letter starts no name there is ruled out at once. A line of many tags is
// searched tag by tag.
class ScenarioConsistScan::TagPlaces {
public:
    explicit TagPlaces(std::string_view line) : line_(line) {
        for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
            if (count_ == places_.size()) {
                crowded_ = true;
                return;
            }
            places_[count_++] = at;
            letters_ |= letterBit(line.substr(at));
        }
    }

    bool has(std::string_view tag) const {
        if (crowded_) {
            return containsIgnoringCase(line_, tag);
        }
        if ((letters_ & letterBit(tag)) == 0) {
            return false;
        }
        for (std::size_t i = 0; i < count_; ++i) {
            const std::size_t at = places_[i];
            if (line_.size() - at >= tag.size() && equalsIgnoringCase(line_.substr(at, tag.size()), tag)) {
                return true;
            }
        }
        return false;
    }

private:
    // A bit for the first letter of the name after "<" or "</"; all bits when there is none, so
    // that nothing is ruled out for it.
    static std::uint32_t letterBit(std::string_view markup) {
        const std::size_t name = markup.size() > 1 && markup[1] == '/' ? 2 : 1;
        const char letter = name < markup.size() ? asciiLower(markup[name]) : '\0';
        return letter >= 'a' && letter <= 'z' ? std::uint32_t{1} << (letter - 'a') : ~std::uint32_t{0};
    }

    std::string_view line_;
    std::array<std::size_t, 6> places_{};
    std::size_t count_ = 0;
    std::uint32_t letters_ = 0;
    bool crowded_ = false;
};

void ScenarioConsistScan::scanLine(std::string_view rawLine) {
    const std::string_view line = trimSpaces(rawLine);
    if (finished_ || line.empty()) {
        return;
    }
    const TagPlaces tags(line);
    if (inside_) {
        scanInsideConsist(line, tags);
        return;
    }
    // The space keeps <cConsistTemplate and the like from opening a consist.
    if (tags.has("<cConsist ")) {
        if (const auto identifier = cutIdentifier(line)) {
            identifier_ = *identifier;
        }
        serviceName_.clear();
        blueprint_.clear();
        heading_ = "0";
        inside_ = true;
        state_ = 1;
        listener_.consistOpened(identifier_);
    }
}

void ScenarioConsistScan::scanInsideConsist(std::string_view line, const TagPlaces& tags) {
    if (tags.has("</cConsist>")) {
        inside_ = false;
        listener_.consistClosed(identifier_, serviceName_);
        return;
    }
    if (tags.has("</cOwnedEntity>")) {
        listener_.vehicleClosed(identifier_, blueprint_, heading_);
        state_ = 2;
        return;
    }
    if (tags.has("</Component>")) {
        state_ = 5;
        return;
    }
    if (tags.has("<RailVehicles/>")) {
        // A consist without vehicles gets no row.
        inside_ = false;
        return;
    }
    if (tags.has("</RailVehicles>")) {
        state_ = 7;
        return;
    }
    if (tags.has("</Record>")) {
        finished_ = true;
        return;
    }
    scanByState(line, tags);
}

void ScenarioConsistScan::scanByState(std::string_view line, const TagPlaces& tags) {
    switch (state_) {
    case 1:
        if (tags.has("<RailVehicles>")) {
            state_ = 2;
        }
        break;
    case 2:
        if (tags.has("<cOwnedEntity ")) {
            state_ = 3;
        }
        break;
    case 3:
        if (tags.has("<Component>")) {
            state_ = 4;
        }
        break;
    case 4:
        if (tags.has("<Flipped ")) {
            if (const auto value = cutValue(line)) {
                heading_ = headingFromFlipped(*value);
            }
            state_ = 5;
        }
        break;
    case 5:
        // The outer blueprint element, without attributes.
        if (tags.has("<BluePrintID>")) {
            state_ = 6;
        }
        break;
    case 6:
        // The inner element with its type attribute holds the path.
        if (tags.has("<BlueprintID ")) {
            if (const auto value = cutValue(line)) {
                blueprint_ = *value;
            }
            state_ = 7;
        }
        break;
    case 7:
        if (tags.has("<Driver>")) {
            state_ = 8;
        }
        break;
    case 8:
        if (tags.has("<ServiceName>")) {
            state_ = 9;
        }
        break;
    case 9:
        if (tags.has("<English ")) {
            if (const auto value = cutValue(line)) {
                serviceName_ = *value;
            }
            state_ = 10;
        }
        break;
    default:
        break;
    }
}

} // namespace dovrel
