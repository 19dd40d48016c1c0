// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/ControlText.h"
#include "widgets/TextWidths.h"

#include <QFont>

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
    // The width in pixels, in a font, of that text; a record's name is measured once for each font.
    int widthOf(std::size_t position, std::string_view shown, const QFont& font);

private:
    struct Made {
        std::string_view name;
        ListItemText text;
        int width = -1; // in widths_'s font, once measured
    };
    // Whether an item showing `shown` shows the record's name.
    static bool showsName(const Made& record, std::string_view shown) {
        return (shown.data() == record.name.data() && shown.size() == record.name.size()) ||
               shown == record.name;
    }
    Made& made(std::size_t position);

    std::span<const std::string> catalogue_;
    std::vector<std::optional<Made>> made_;
    ListItemText other_;
    std::optional<TextWidths> widths_;
};

} // namespace dovrel
