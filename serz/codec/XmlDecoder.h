// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordView.h"
#include "serz/Result.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace serz {

// Reads the converter's XML dialect piece by piece and hands each record to a sink as soon as its
// element (or its end tag) is whole. Between pieces it keeps the text of an element cut by the end
// of a piece, the names of the open elements and the line count; nothing else of the file.
//
// The reader is strict: invalid UTF-8, unbalanced or mismatched tags, unknown entities, unknown types
// and values that do not parse for their type are errors, reported with their line. Invalid UTF-8
// anywhere in the file is the error reported, whatever comes before it; so after another error the
// rest of the text is still checked for it.
class XmlDecoder {
public:
    explicit XmlDecoder(RecordSink& sink);
    ~XmlDecoder();
    XmlDecoder(const XmlDecoder&) = delete;
    XmlDecoder& operator=(const XmlDecoder&) = delete;

    // Reads the next piece of the text. False once the outcome is known: the file is bad.
    bool feed(std::string_view text);

    // The text ends here. False when the file is bad.
    bool finish();

    const Error& error() const;

private:
    class Parser;
    std::unique_ptr<Parser> parser_;
};

} // namespace serz
