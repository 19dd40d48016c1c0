// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/ControlText.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The list texts of a catalogue's names, each made at its first use, so that the browsing lists,
// filled again and again with tens of thousands of the same names, convert no name twice. The
// catalogue must outlive it and stay as it was.
class CatalogueItemTexts {
public:
    explicit CatalogueItemTexts(std::span<const std::string> catalogue) : catalogue_(catalogue) {}

    // The name of the record at a catalogue position.
    std::string_view name(std::size_t position);
    // The text of an item showing `shown` for the record at a position: the record's name's own text
    // when `shown` is its name, else one made for `shown`, kept until the next one is asked for.
    const ListItemText& textOf(std::size_t position, std::string_view shown);

private:
    struct Made {
        std::string_view name;
        ListItemText text;
    };
    const Made& made(std::size_t position);

    std::span<const std::string> catalogue_;
    std::vector<std::optional<Made>> made_;
    ListItemText other_;
};

} // namespace dovrel
