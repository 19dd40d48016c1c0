// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The consist editor's message texts, exactly as shown.
namespace dovrel::consistmessages {

inline constexpr std::string_view kAbandonQuestion =
    "You are currently editing as consist.\r\n\r\nOkay to abandon?";
inline constexpr std::string_view kSelectInLocos = "Select unit in Locos list.";
inline constexpr std::string_view kSelectInWagons = "Select unit in Wagons list.";
inline constexpr std::string_view kSelectInConsist = "Select unit in consist.";
inline constexpr std::string_view kNoConsist = "No consist.";
inline constexpr std::string_view kNothingSelected = "Nothing selected.";
inline constexpr std::string_view kConsistFull =
    "Consist is full.\r\n\r\nA consist holds at most 5001 units.";
// Follows the chosen name and two CR LF pairs when the catalogue has no record of that name.
inline constexpr std::string_view kNotInCatalogue = "This unit is not in the equipment list.";

} // namespace dovrel::consistmessages
