// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/ControlText.h"

#include <cstddef>
#include <string_view>

namespace dovrel {

// The rows of a read-only list, read as the list needs them: how many there are, the text a row shows
// and the bytes it stands for. Whoever makes the rows keeps what they point into for as long as a list
// shows them.
class ListRows {
public:
    virtual ~ListRows() = default;

    virtual std::size_t size() const = 0;
    // The row's text, as listItemText makes it of the row's bytes; read before the next row's is asked for.
    virtual const ListItemText& text(std::size_t row) const = 0;
    virtual std::string_view bytes(std::size_t row) const = 0;
};

} // namespace dovrel
