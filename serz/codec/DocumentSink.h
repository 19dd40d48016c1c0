// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordView.h"

namespace serz {

// Collects the records read into a document.
class DocumentSink : public RecordSink {
public:
    void put(const RecordView& record) override { document.push_back(record.owned()); }

    Document document;
};

} // namespace serz
