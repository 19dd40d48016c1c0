// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TipsText.h"

#include <array>
#include <string_view>
#include <utility>

namespace dovrel {

namespace {
constexpr std::size_t kCommandColumn = 21;

constexpr std::array<std::pair<std::string_view, std::string_view>, 20> kCommands = {{
    {"RightClick Unit", "Reverse unit"},
    {"LeftClick Unit", "Select unit"},
    {"LeftClick Background", "Deselect unit"},
    {"CenterClick Unit", "Center unit"},
    {"Ctrl+LeftClick Unit", "Center unit"},
    {"<Add Loco Left", "Adds loco or tender to left of selected unit"},
    {"Add Loco Right>", "Adds loco or tender to right of selected unit"},
    {"Trade w/Loco", "Trade selected unit with loco or tender"},
    {"<Shift Unit Left", "Shift selected unit to left"},
    {"To-->Selected", "Center view on selected unit"},
    {"Delete Unit Shift>", "Delete selected unit and shift to right"},
    {"Delete Unit <Shift", "Delete selected unit and shift to left"},
    {"Reverse Unit", "Reverse heading of selected unit"},
    {"<Add Wagon Left", "Adds wagon to left of selected unit"},
    {"Add Wagon Right>", "Adds wagon to right of selected unit"},
    {"Trade w/Wagon", "Trade selected unit with wagon"},
    {"Shift Unit Right>", "Shift selected unit to right"},
    {"Mirror Consist", "Flip consist from end to end"},
    {"Reverse All", "Reverse heading of all units in consist"},
    {"New Consist", "Clear the consist line"},
}};
} // namespace

std::string tipsText() {
    std::string text = "\r\n";
    text += "Dada Rezavi Panel\r\n";
    text += "-----------------\r\n";
    for (const auto& [command, description] : kCommands) {
        std::string line(command);
        line.resize(kCommandColumn, ' ');
        line += description;
        text += line + "\r\n";
    }
    text += "\r\n";
    return text;
}

} // namespace dovrel
