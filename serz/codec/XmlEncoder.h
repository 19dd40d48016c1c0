// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordView.h"
#include "StructureCheck.h"
#include "serz/OutputSink.h"
#include "serz/Result.h"

#include <cstddef>
#include <string>
#include <vector>

namespace serz {

// Writes records as the converter's XML (CR LF line ends, one TAB per level, the namespace on the
// root) and hands the text to a sink in chunks of whole lines. It keeps the names of the open
// elements and less than one chunk of text.
class XmlEncoder {
public:
    explicit XmlEncoder(OutputSink& output);

    // False when the record cannot be written (error()) or the sink refused the text (outputFailed()).
    bool put(const RecordView& record);

    // Checks that the records ended with the root and hands over the rest of the text.
    bool finish();

    const Error& error() const { return error_; }
    bool outputFailed() const { return outputFailed_; }

private:
    bool fail(const RecordView& record, std::string message);
    bool flush();
    void indent() { out_.append(depth_, '\t'); }
    bool startTag(const RecordView& record);
    void endTag(std::string_view writtenName);
    void appendSignedId(std::uint32_t id);
    void appendCount(std::size_t count);
    bool write(const RecordView& record);
    bool writeOpen(const RecordView& record, bool isRoot);
    bool writeScalar(const RecordView& record);
    bool writeArray(const RecordView& record);
    void writeBlob(const RecordView& record);

    OutputSink& output_;
    std::string out_;                   // text not handed over yet
    std::size_t lastTagStart_ = 0;      // where in out_ the name of the last start tag stands
    std::vector<std::string> openTags_; // the written names of the open elements, innermost at depth_ - 1
    StructureCheck structure_;
    std::size_t depth_ = 0;
    std::size_t lastSource_ = 0;
    bool openPending_ = false; // an open tag awaits '>' or "/>"
    bool outputFailed_ = false;
    Error error_;
};

} // namespace serz
