// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace dovrel {

class ConsistDisplay;
class ConsistHost;
class ConsistLine;
class EditHistory;
class MessageBoxes;

// What every consist command works with: the line, its display, the message boxes and the window
// around them. Owned by ConsistEditor, which hands it to its command groups.
struct ConsistParts {
    ConsistLine& line;
    ConsistDisplay& display;
    MessageBoxes& messages;
    ConsistHost& host;
    // Commands that change the line name their step here, for Undo and Redo.
    EditHistory& history;
};

// The selected unit of a non-empty line. Otherwise the user is told "No consist." (empty line) or
// "Select unit in consist." (nothing selected), and there is none.
std::optional<std::int32_t> selectedUnitOrTell(const ConsistParts& parts);

} // namespace dovrel
