// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/BinWriter.h"

#include "BinEncoder.h"
#include "serz/StringSink.h"

namespace serz {

Result<std::string> writeBin(const Document& document) {
    StringSink bytes;
    BinEncoder encoder(bytes);
    for (const Record& record : document) {
        if (!encoder.put(RecordView::of(record))) {
            return encoder.error();
        }
    }
    if (!encoder.finish()) {
        return encoder.error();
    }
    return std::move(bytes.text);
}

} // namespace serz
