// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FuzzSupport.h"
#include "serz/Conversion.h"
#include "serz/OutputSink.h"
#include "serz/StreamConversion.h"
#include "serz/StringSink.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace dovrel::fuzz {

// The input fed to a streamed conversion in pieces of a size its last byte chooses ends as the
// whole-string conversion ended: the same bytes, or the same error at the same place.
inline void requireStreamedAsWhole(serz::Direction direction, std::string_view input,
                                   const serz::Result<std::string>& whole) {
    serz::StringSink output;
    const std::size_t pieceSize = input.empty() ? 1 : 1 + static_cast<unsigned char>(input.back()) % 61;
    serz::StreamConversion conversion(direction, output);
    for (std::string_view rest = input; !rest.empty();) {
        const std::size_t size = std::min(pieceSize, rest.size());
        if (!conversion.feed(rest.substr(0, size))) {
            break;
        }
        rest.remove_prefix(size);
    }
    if (conversion.finish() == serz::StreamOutcome::Converted) {
        require(whole.ok() && whole.value() == output.text, "the streamed conversion writes the same bytes");
    } else {
        require(!whole.ok() && whole.error().message == conversion.error().message &&
                    whole.error().position == conversion.error().position,
                "the streamed conversion fails with the same error");
    }
}

} // namespace dovrel::fuzz
