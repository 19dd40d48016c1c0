// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/OutputSink.h"

#include <functional>
#include <string_view>
#include <utility>

namespace serz {

// Hands each piece of XML output to a function as it comes: whole lines, each ended by CR LF. The
// function returns false to stop the conversion. (The binary form's output needs overwrite(),
// which this sink refuses.)
class ChunkSink : public OutputSink {
public:
    explicit ChunkSink(std::function<bool(std::string_view lines)> take) : take_(std::move(take)) {}

    bool write(std::string_view bytes) override { return take_(bytes); }
    bool overwrite(std::size_t, std::string_view) override { return false; }

private:
    std::function<bool(std::string_view)> take_;
};

} // namespace serz
