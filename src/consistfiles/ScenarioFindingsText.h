// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/FindingsReplayListener.h"

#include <string_view>

namespace dovrel {

// The findings text that ScenarioFindings writes: each finding in order, one letter for its kind,
// then its values (CompactValues). The letter is in upper case when the consist's identifier
// follows it (it differs from the one before), in lower case when it is the one before. A blueprint
// path is written once, before the first vehicle of it, and named by its number after that, so that
// a scenario of thousands of vehicles takes a few bytes a vehicle.
namespace findingstext {
inline constexpr char kOpened = 'o';    // the identifier, when it is written
inline constexpr char kVehicle = 'v';   // the identifier, the blueprint's number, the heading
inline constexpr char kClosed = 'c';    // the identifier, the service name
inline constexpr char kBlueprint = 'b'; // the blueprint path, numbered from 0 in the order written

inline constexpr char withIdentifier(char kind) {
    return static_cast<char>(kind - 'a' + 'A');
}
} // namespace findingstext

// Reports the findings of the text, in their order, to the listener. False, as soon as it is known,
// for text out of shape (a vehicle of a blueprint not yet written counts as such); the listener may
// then have heard part of it.
bool replayFindingsText(std::string_view text, FindingsReplayListener& listener);

} // namespace dovrel
