// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/BinReader.h"

#include "ByteCursor.h"
#include "StructureCheck.h"
#include "serz/BinFormat.h"
#include "serz/Utf8.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace serz {
namespace {

// What a cache slot remembers of a long-form record: enough to read a short form of it.
struct SlotTemplate {
    std::uint8_t opcode = 0; // 0 while the slot is empty
    std::uint32_t name = 0;  // index into the string table
    ValueType type = ValueType::Bool;
};

std::string hexByte(unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[(value >> 4) & 0xF], kHex[value & 0xF]};
}

class BinParser {
public:
    explicit BinParser(std::string_view bytes) : in_(bytes) {
        // A record takes a dozen bytes or more; room for the usual count saves regrowing the
        // list, and the cap keeps a huge input from claiming memory before it is read.
        document_.reserve(std::min<std::size_t>(bytes.size() / 12, 1 << 16));
    }

    Result<Document> run() {
        if (!readHeader()) {
            return error_;
        }
        while (!in_.atEnd()) {
            if (!readRecord()) {
                return error_;
            }
        }
        if (const auto problem = structure_.finish()) {
            return Error{"unexpected end of data: " + *problem, in_.offset()};
        }
        return std::move(document_);
    }

private:
    bool fail(std::size_t at, std::string message) {
        error_ = Error{std::move(message), at};
        return false;
    }

    bool truncated() { return fail(in_.offset(), "unexpected end of data"); }

    bool readNumber(std::size_t width, std::uint64_t& value) { return in_.read(width, value) || truncated(); }

    bool readHeader() {
        std::string_view header;
        if (!in_.readBytes(bin::kHeader.size(), header)) {
            return fail(0, "too short for the SERZ header");
        }
        if (header != bin::kHeader) {
            return fail(0, "not a SERZ file (wrong header)");
        }
        return true;
    }

    // Reads a string reference, taking a new string into the table; `index` is its table index.
    bool readStringRef(std::uint32_t& index) {
        const std::size_t at = in_.offset();
        std::uint64_t ref = 0;
        if (!readNumber(2, ref)) {
            return false;
        }
        if (ref != bin::kNewString) {
            if (ref >= strings_.size()) {
                return fail(at, "string reference " + std::to_string(ref) + " is past the " +
                                    std::to_string(strings_.size()) + " strings read so far");
            }
            index = static_cast<std::uint32_t>(ref);
            return true;
        }
        std::uint64_t units = 0;
        if (!readNumber(4, units)) {
            return false;
        }
        // The count is in UTF-16 code units; walk the UTF-8 text character by character.
        const std::size_t textStart = in_.offset();
        std::uint64_t seen = 0;
        while (seen < units) {
            if (in_.atEnd()) {
                return truncated();
            }
            if (*in_.here() < 0x80) {
                ++seen;
                in_.skip(1);
                continue;
            }
            const std::size_t claimed = utf8::claimedLength(*in_.here());
            if (claimed != 0 && !in_.has(claimed)) {
                return truncated();
            }
            const std::size_t length = utf8::sequenceLength(in_.here(), in_.size() - in_.offset());
            if (length == 0) {
                return fail(in_.offset(), "string is not valid UTF-8");
            }
            seen += length == 4 ? 2 : 1;
            in_.skip(length);
        }
        if (seen != units) {
            return fail(textStart, "string's character count ends inside a character");
        }
        index = static_cast<std::uint32_t>(strings_.size());
        strings_.emplace_back(in_.slice(textStart, in_.offset()));
        return true;
    }

    bool readType(ValueType& type, bool forArray) {
        const std::size_t at = in_.offset();
        std::uint32_t nameIndex = 0;
        if (!readStringRef(nameIndex)) {
            return false;
        }
        const auto named = valueTypeNamed(strings_[nameIndex]);
        if (!named) {
            return fail(at, "unknown value type '" + strings_[nameIndex] + "'");
        }
        if (forArray && *named == ValueType::String) {
            return fail(at, "arrays of cDeltaString are not supported");
        }
        type = *named;
        return true;
    }

    bool readRecord() {
        const std::size_t start = in_.offset();
        std::uint64_t lead = 0;
        if (!readNumber(1, lead)) {
            return false;
        }
        SlotTemplate slot;
        if (lead == bin::kLongForm) {
            std::uint64_t opcode = 0;
            if (!readNumber(1, opcode)) {
                return false;
            }
            slot.opcode = static_cast<std::uint8_t>(opcode);
            if (!readTemplate(slot, start)) {
                return false;
            }
            cache_[longRecords_ % bin::kSlotCount] = slot;
            ++longRecords_;
        } else {
            slot = cache_[lead];
            if (slot.opcode == 0) {
                return fail(start, "record uses cache slot " + std::to_string(lead) + ", which is empty");
            }
        }
        return readPayload(slot, start);
    }

    // Reads the strings of a long-form record: its name and type.
    bool readTemplate(SlotTemplate& slot, std::size_t start) {
        switch (slot.opcode) {
        case bin::kOpen:
        case bin::kClose:
        case bin::kReference:
            return readStringRef(slot.name);
        case bin::kScalar:
            return readStringRef(slot.name) && readType(slot.type, false);
        case bin::kArray:
            return readStringRef(slot.name) && readType(slot.type, true);
        case bin::kNil:
        case bin::kMarker:
        case bin::kBlob:
            return true;
        default:
            return fail(start + 1, "unknown record opcode 0x" + hexByte(slot.opcode));
        }
    }

    bool readPayload(const SlotTemplate& slot, std::size_t start) {
        Record record;
        record.source = start;
        std::uint64_t number = 0;
        switch (slot.opcode) {
        case bin::kOpen:
            record.kind = RecordKind::Open;
            // The child count is not trusted: game-written files hold wrong ones.
            if (!readNumber(4, number)) {
                return false;
            }
            record.id = static_cast<std::uint32_t>(number);
            if (!readNumber(4, number)) {
                return false;
            }
            break;
        case bin::kClose:
            record.kind = RecordKind::Close;
            break;
        case bin::kScalar:
            record.kind = RecordKind::Scalar;
            record.type = slot.type;
            if (slot.type == ValueType::String) {
                std::uint32_t text = 0;
                if (!readStringRef(text)) {
                    return false;
                }
                record.text = strings_[text];
            } else if (!readNumber(byteWidth(slot.type), record.bits)) {
                return false;
            }
            break;
        case bin::kArray: {
            record.kind = RecordKind::Array;
            record.type = slot.type;
            if (!readNumber(1, number)) {
                return false;
            }
            record.elements.resize(number);
            for (std::uint64_t& element : record.elements) {
                if (!readNumber(byteWidth(slot.type), element)) {
                    return false;
                }
            }
            break;
        }
        case bin::kReference:
            record.kind = RecordKind::Reference;
            if (!readNumber(4, number)) {
                return false;
            }
            record.id = static_cast<std::uint32_t>(number);
            break;
        case bin::kNil:
            record.kind = RecordKind::Nil;
            break;
        case bin::kMarker:
            // Written by the game for its own use; it has no XML and is dropped. A short form of a
            // marker's slot, never seen in real files, is read the same way: its five bytes follow.
            return readNumber(1, number) && readNumber(4, number);
        case bin::kBlob: {
            record.kind = RecordKind::Blob;
            if (!readNumber(4, number)) {
                return false;
            }
            std::string_view bytes;
            if (!in_.readBytes(number, bytes)) {
                return truncated();
            }
            record.text = bytes;
            break;
        }
        }
        if (record.kind != RecordKind::Nil && record.kind != RecordKind::Blob) {
            record.name = strings_[slot.name];
        }
        textBytes_ += record.name.size() + record.text.size();
        if (textBytes_ > kMaxTextBytes) {
            return fail(start, "names and strings add up to more than " +
                                   std::to_string(kMaxTextBytes >> 20) + " MiB");
        }
        if (const auto problem = structure_.accept(record)) {
            return fail(start, *problem);
        }
        document_.push_back(std::move(record));
        return true;
    }

    ByteCursor in_;
    std::vector<std::string> strings_;
    std::array<SlotTemplate, bin::kSlotCount> cache_{};
    std::size_t longRecords_ = 0;
    std::size_t textBytes_ = 0; // the names and strings of the records read so far
    StructureCheck structure_;
    Document document_;
    Error error_;
};

} // namespace

Result<Document> readBin(std::string_view bytes) {
    return BinParser(bytes).run();
}

} // namespace serz
