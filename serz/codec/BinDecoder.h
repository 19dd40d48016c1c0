// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordView.h"
#include "StructureCheck.h"
#include "serz/BinFormat.h"
#include "serz/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace serz {

class ByteCursor;

// Reads the binary form piece by piece and hands each record to a sink as soon as it is whole.
// Between pieces it keeps the bytes of a record cut by the end of a piece, the string table and
// the record cache; nothing else of the file. Errors carry the byte offset of the field that
// could not be read.
class BinDecoder {
public:
    explicit BinDecoder(RecordSink& sink) : sink_(sink) {}

    // Reads the next bytes of the file. False once the file is known to be bad.
    bool feed(std::string_view bytes);

    // The file ends here. False when it is bad.
    bool finish();

    const Error& error() const { return error_; }

private:
    // What a cache slot remembers of a long-form record: enough to read a short form of it.
    struct SlotTemplate {
        std::uint8_t opcode = 0; // 0 while the slot is empty
        std::uint32_t name = 0;  // index into the string table
        ValueType type = ValueType::Bool;
    };

    bool decode(std::string_view bytes);
    bool fail(std::size_t at, std::string message);
    bool truncated();
    bool readNumber(std::size_t width, std::uint64_t& value);
    bool readHeader();
    bool readStringRef(std::uint32_t& index);
    bool readType(ValueType& type, bool forArray);
    bool readRecord();
    bool readTemplate(SlotTemplate& slot, std::size_t start);
    bool readPayload(const SlotTemplate& slot, std::size_t start);

    RecordSink& sink_;
    ByteCursor* in_ = nullptr; // the bytes being read
    std::size_t base_ = 0;     // the file offset of the first byte in in_
    std::string pending_;      // bytes fed but not read yet: a record cut short
    std::size_t retryAt_ = 0;  // pending_ is read again once it holds this many bytes
    bool final_ = false;       // no bytes follow the ones being read
    bool needMore_ = false;    // the record being read goes past the bytes at hand
    bool headerRead_ = false;
    bool failed_ = false;
    std::vector<std::string> strings_;
    std::array<SlotTemplate, bin::kSlotCount> cache_{};
    std::size_t longRecords_ = 0;
    std::size_t textBytes_ = 0; // the names and strings of the records read so far
    std::vector<std::uint64_t> elements_;
    StructureCheck structure_;
    Error error_;
};

} // namespace serz
