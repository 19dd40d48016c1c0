// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistScan.h"

#include "consistfiles/TemplateScan.h"
#include "core/TextRules.h"

namespace dovrel {

std::string headingFromFlipped(std::string_view value) {
    return value == "0" ? "0" : "1";
}

void UserConsistScan::scanLine(std::string_view rawLine) {
    const std::string_view line = trimSpaces(rawLine);
    if (line.empty()) {
        return;
    }
    if (inside_) {
        scanInsideTemplate(line);
        return;
    }
    // The space keeps <cConsistTemplateEntry from opening a template.
    if (containsIgnoringCase(line, "<cConsistTemplate ")) {
        if (const auto identifier = cutIdentifier(line)) {
            identifier_ = *identifier;
        }
        name_ = "*";
        unit_ = TemplateUnit{std::nullopt, std::nullopt, "*", "0"};
        inside_ = true;
        state_ = 1;
        if (templateEndsOnOpeningLine(line)) {
            inside_ = false;
            listener_.templateClosed(identifier_, name_);
        }
    }
}

void UserConsistScan::scanInsideTemplate(std::string_view line) {
    if (containsIgnoringCase(line, "</cConsistTemplate>")) {
        inside_ = false;
        listener_.templateClosed(identifier_, name_);
        return;
    }
    if (containsIgnoringCase(line, "</cConsistTemplateEntry>")) {
        listener_.unitClosed(unit_);
        state_ = 4;
        return;
    }
    switch (state_) {
    case 1:
        if (containsIgnoringCase(line, "<Name>")) {
            state_ = 2;
        }
        break;
    case 2:
        if (containsIgnoringCase(line, "<English ")) {
            if (const auto value = cutValue(line)) {
                name_ = *value;
            }
            state_ = 3;
        }
        break;
    case 3:
        if (containsIgnoringCase(line, "<ConsistEntry>")) {
            state_ = 4;
        }
        break;
    case 4:
        if (containsIgnoringCase(line, "<cConsistTemplateEntry ")) {
            state_ = 5;
        }
        break;
    case 5:
        if (containsIgnoringCase(line, "<BlueprintID ")) {
            if (const auto value = cutValue(line)) {
                unit_.blueprint = *value;
            }
            state_ = 6;
        } else if (containsIgnoringCase(line, "<Provider ")) {
            if (const auto value = cutValue(line)) {
                unit_.provider = std::string(*value);
            }
        } else if (containsIgnoringCase(line, "<Product ")) {
            if (const auto value = cutValue(line)) {
                unit_.product = std::string(*value);
            }
        }
        break;
    case 6:
        if (containsIgnoringCase(line, "<Flipped ")) {
            if (const auto value = cutValue(line)) {
                unit_.heading = headingFromFlipped(*value);
            }
            state_ = 7;
        }
        break;
    default:
        break;
    }
}

} // namespace dovrel
