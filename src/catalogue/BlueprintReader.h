// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/BlueprintFields.h"
#include "platform/EventPump.h"
#include "platform/Files.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace dovrel {

// Statuses of the blueprint reader.
inline constexpr int kBlueprintRead = 0;
inline constexpr int kNotAVehicleBlueprint = 888; // not a locomotive, wagon or tender: nothing read
inline constexpr int kBlueprintReadFailed = 999;  // missing or unreadable file, or a broken value line

// Reads one converted rail-vehicle blueprint line by line with a fixed sequence of expected elements,
// cutting each value out of its one line; the XML is never parsed as a tree. Lets the window process
// its events after every line from the fourth on, and reports each English name as soon as it is read.
class BlueprintReader {
public:
    using NameShown = std::function<void(const std::string& englishName)>;

    BlueprintReader(Files& files, EventPump& events, NameShown showEnglishName);

    // Resets every value but blueprintKind, then reads the XML file into them. Returns
    // kBlueprintRead, kNotAVehicleBlueprint or kBlueprintReadFailed; on failure the values read so
    // far stay.
    int read(const std::filesystem::path& xmlFile, BlueprintFields& fields) const;

    // The same for a text already in memory (the values are not reset here).
    int readText(std::string_view text, BlueprintFields& fields) const;

private:
    Files& files_;
    EventPump& events_;
    NameShown showEnglishName_;
};

} // namespace dovrel
