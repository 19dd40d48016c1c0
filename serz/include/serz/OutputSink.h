// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace serz {

// Where a streamed conversion puts its output, piece by piece and in order. XML arrives in chunks
// of whole lines, each ended by CR LF. The binary form stores an element's child count before its
// children, so its writer goes back to bytes already written: once per element whose children
// fill more than the writer's own buffer.
class OutputSink {
public:
    virtual ~OutputSink() = default;

    // Takes the next bytes. False stops the output; the conversion then fails.
    virtual bool write(std::string_view bytes) = 0;

    // Replaces bytes written earlier, at `offset` from the start of the output. XML output never
    // asks for it.
    virtual bool overwrite(std::size_t offset, std::string_view bytes) = 0;
};

} // namespace serz
