// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/OutputSink.h"

#include <string>

namespace serz {

// Collects the whole output in one string.
class StringSink : public OutputSink {
public:
    bool write(std::string_view bytes) override {
        text.append(bytes);
        return true;
    }

    bool overwrite(std::size_t offset, std::string_view bytes) override {
        text.replace(offset, bytes.size(), bytes);
        return true;
    }

    std::string text;
};

} // namespace serz
