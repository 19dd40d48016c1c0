// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/XmlWriter.h"

#include "XmlEncoder.h"
#include "serz/StringSink.h"

namespace serz {

Result<std::string> writeXml(const Document& document) {
    StringSink text;
    XmlEncoder encoder(text);
    for (const Record& record : document) {
        if (!encoder.put(RecordView::of(record))) {
            return encoder.error();
        }
    }
    if (!encoder.finish()) {
        return encoder.error();
    }
    return std::move(text.text);
}

} // namespace serz
