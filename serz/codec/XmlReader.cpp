// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/XmlReader.h"

#include "DocumentSink.h"
#include "XmlDecoder.h"

namespace serz {

Result<Document> readXml(std::string_view text) {
    DocumentSink records;
    XmlDecoder decoder(records);
    if (!decoder.feed(text) || !decoder.finish()) {
        return decoder.error();
    }
    return std::move(records.document);
}

} // namespace serz
