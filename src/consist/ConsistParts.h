#pragma once

namespace dovrel {

class ConsistDisplay;
class ConsistHost;
class ConsistLine;
class MessageBoxes;

// What every consist command works with: the line, its display, the message boxes and the window
// around them. Owned by ConsistEditor, which hands it to its command groups.
struct ConsistParts {
    ConsistLine& line;
    ConsistDisplay& display;
    MessageBoxes& messages;
    ConsistHost& host;
};

} // namespace dovrel
