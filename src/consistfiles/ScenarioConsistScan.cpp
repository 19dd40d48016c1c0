// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioConsistScan.h"

#include "consistfiles/UserConsistScan.h"
#include "core/TextRules.h"

namespace dovrel {

void ScenarioConsistScan::scanLine(std::string_view rawLine) {
    const std::string_view line = trimSpaces(rawLine);
    if (finished_ || line.empty()) {
        return;
    }
    if (inside_) {
        scanInsideConsist(line);
        return;
    }
    // The space keeps <cConsistTemplate and the like from opening a consist.
    if (containsIgnoringCase(line, "<cConsist ")) {
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

void ScenarioConsistScan::scanInsideConsist(std::string_view line) {
    if (containsIgnoringCase(line, "</cConsist>")) {
        inside_ = false;
        listener_.consistClosed(identifier_, serviceName_);
        return;
    }
    if (containsIgnoringCase(line, "</cOwnedEntity>")) {
        listener_.vehicleClosed(identifier_, blueprint_, heading_);
        state_ = 2;
        return;
    }
    if (containsIgnoringCase(line, "</Component>")) {
        state_ = 5;
        return;
    }
    if (containsIgnoringCase(line, "<RailVehicles/>")) {
        // A consist without vehicles gets no row.
        inside_ = false;
        return;
    }
    if (containsIgnoringCase(line, "</RailVehicles>")) {
        state_ = 7;
        return;
    }
    if (containsIgnoringCase(line, "</Record>")) {
        finished_ = true;
        return;
    }
    scanByState(line);
}

void ScenarioConsistScan::scanByState(std::string_view line) {
    switch (state_) {
    case 1:
        if (containsIgnoringCase(line, "<RailVehicles>")) {
            state_ = 2;
        }
        break;
    case 2:
        if (containsIgnoringCase(line, "<cOwnedEntity ")) {
            state_ = 3;
        }
        break;
    case 3:
        if (containsIgnoringCase(line, "<Component>")) {
            state_ = 4;
        }
        break;
    case 4:
        if (containsIgnoringCase(line, "<Flipped ")) {
            if (const auto value = cutValue(line)) {
                heading_ = headingFromFlipped(*value);
            }
            state_ = 5;
        }
        break;
    case 5:
        // The outer blueprint element, without attributes.
        if (containsIgnoringCase(line, "<BluePrintID>")) {
            state_ = 6;
        }
        break;
    case 6:
        // The inner element with its type attribute holds the path.
        if (containsIgnoringCase(line, "<BlueprintID ")) {
            if (const auto value = cutValue(line)) {
                blueprint_ = *value;
            }
            state_ = 7;
        }
        break;
    case 7:
        if (containsIgnoringCase(line, "<Driver>")) {
            state_ = 8;
        }
        break;
    case 8:
        if (containsIgnoringCase(line, "<ServiceName>")) {
            state_ = 9;
        }
        break;
    case 9:
        if (containsIgnoringCase(line, "<English ")) {
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
