// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/BinReader.h"

#include "BinDecoder.h"
#include "DocumentSink.h"

namespace serz {

Result<Document> readBin(std::string_view bytes) {
    DocumentSink records;
    BinDecoder decoder(records);
    if (!decoder.feed(bytes) || !decoder.finish()) {
        return decoder.error();
    }
    return std::move(records.document);
}

} // namespace serz
