// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordView.h"
#include "SlotCache.h"
#include "StringTable.h"
#include "StructureCheck.h"
#include "serz/OutputSink.h"
#include "serz/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace serz {

// Writes records in the binary form: new strings inline in order of appearance, a record in short
// form whenever a cache slot holds its key, child counts computed from the records. The bytes go
// to a sink in chunks; a child count whose chunk has gone is set through the sink's overwrite. It
// keeps the string table, the record cache, the open elements and less than one chunk of bytes.
class BinEncoder {
public:
    explicit BinEncoder(OutputSink& output);

    // False when the record cannot be written (error()) or the sink refused the bytes (outputFailed()).
    bool put(const RecordView& record);

    // Checks that the records ended with the root and hands over the rest of the bytes.
    bool finish();

    const Error& error() const { return error_; }
    bool outputFailed() const { return outputFailed_; }

private:
    struct OpenElement {
        std::size_t countOffset; // in the whole output
        std::uint32_t children;
    };

    bool fail(const RecordView& record, std::string message);
    bool flush();
    void putNumber(std::uint64_t value, std::size_t width);
    bool putString(const RecordView& record, std::string_view text);
    std::optional<std::uint16_t> putString(const RecordView& record, std::string_view text,
                                           std::optional<std::uint16_t> index);
    std::optional<std::uint16_t> typeIndex(ValueType type);
    bool writeLead(const RecordView& record);
    bool write(const RecordView& record);
    bool writePayload(const RecordView& record);

    OutputSink& output_;
    std::string out_;            // bytes not handed over yet
    std::size_t handedOver_ = 0; // bytes the sink has taken
    StringTable strings_;
    std::array<std::optional<std::uint16_t>, static_cast<std::size_t>(ValueType::String) + 1> typeIndexes_{};
    SlotCache cache_;
    StructureCheck structure_;
    std::vector<OpenElement> open_;
    std::size_t lastSource_ = 0;
    bool outputFailed_ = false;
    Error error_;
};

} // namespace serz
