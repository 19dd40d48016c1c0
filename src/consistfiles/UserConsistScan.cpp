#include "consistfiles/UserConsistScan.h"

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
        blueprint_ = "*";
        heading_ = "0";
        inside_ = true;
        state_ = 1;
    }
}

void UserConsistScan::scanInsideTemplate(std::string_view line) {
    if (containsIgnoringCase(line, "</cConsistTemplate>")) {
        inside_ = false;
        listener_.templateClosed(identifier_, name_);
        return;
    }
    if (containsIgnoringCase(line, "</cConsistTemplateEntry>")) {
        listener_.unitClosed(blueprint_, heading_);
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
                blueprint_ = *value;
            }
            state_ = 6;
        }
        break;
    case 6:
        if (containsIgnoringCase(line, "<Flipped ")) {
            if (const auto value = cutValue(line)) {
                heading_ = headingFromFlipped(*value);
            }
            state_ = 7;
        }
        break;
    default:
        break;
    }
}

} // namespace dovrel
