// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Record.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace serz {

// A record as it passes from a reader to a writer: the fields of a Record, with its name, text and
// elements borrowed from the reader's buffers. A view is valid only while it is being handed over.
struct RecordView {
    RecordKind kind = RecordKind::Open;
    ValueType type = ValueType::Bool;
    std::string_view name;
    std::uint32_t id = 0;
    std::uint64_t bits = 0;
    std::string_view text;
    std::span<const std::uint64_t> elements;
    std::size_t source = 0;

    static RecordView of(const Record& record) {
        return {record.kind, record.type, record.name,     record.id,
                record.bits, record.text, record.elements, record.source};
    }

    Record owned() const {
        Record record;
        record.kind = kind;
        record.type = type;
        record.name = name;
        record.id = id;
        record.bits = bits;
        record.text = text;
        record.elements.assign(elements.begin(), elements.end());
        record.source = source;
        return record;
    }
};

// Takes records one at a time, in document order.
class RecordSink {
public:
    virtual ~RecordSink() = default;

    virtual void put(const RecordView& record) = 0;
};

} // namespace serz
