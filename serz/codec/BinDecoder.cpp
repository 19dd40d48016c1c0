// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinDecoder.h"

#include "ByteCursor.h"
#include "serz/Utf8.h"

#include <utility>

namespace serz {
namespace {

std::string hexByte(unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[(value >> 4) & 0xF], kHex[value & 0xF]};
}

} // namespace

bool BinDecoder::feed(std::string_view bytes) {
    if (failed_) {
        return false;
    }
    if (pending_.empty()) {
        return decode(bytes);
    }
    pending_.append(bytes);
    if (pending_.size() < retryAt_) {
        return true;
    }
    const std::string current = std::move(pending_);
    pending_.clear();
    return decode(current);
}

bool BinDecoder::finish() {
    if (failed_) {
        return false;
    }
    final_ = true;
    const std::string current = std::move(pending_);
    pending_.clear();
    if (!decode(current)) {
        return false;
    }
    if (const auto problem = structure_.finish()) {
        return fail(base_, "unexpected end of data: " + *problem);
    }
    return true;
}

// Reads every whole record of the bytes; a record they cut short waits in pending_ for more.
bool BinDecoder::decode(std::string_view bytes) {
    ByteCursor cursor(bytes);
    in_ = &cursor;
    std::size_t done = 0;
    if (!headerRead_) {
        if (!readHeader()) {
            if (!needMore_) {
                return false;
            }
            // Fewer than eight bytes so far: they wait for more.
            needMore_ = false;
            pending_.assign(bytes);
            retryAt_ = bin::kHeader.size();
            return true;
        }
        headerRead_ = true;
        done = cursor.offset();
    }
    while (!cursor.atEnd()) {
        const std::size_t strings = strings_.size();
        const std::size_t longRecords = longRecords_;
        const SlotTemplate slot = cache_[longRecords_ % bin::kSlotCount];
        if (!readRecord()) {
            if (!needMore_) {
                return false;
            }
            // Read again from the record's start once more bytes are at hand.
            needMore_ = false;
            strings_.resize(strings);
            longRecords_ = longRecords;
            cache_[longRecords % bin::kSlotCount] = slot;
            break;
        }
        done = cursor.offset();
    }
    pending_.assign(bytes.substr(done));
    retryAt_ = 2 * pending_.size();
    base_ += done;
    in_ = nullptr;
    return true;
}

bool BinDecoder::fail(std::size_t at, std::string message) {
    error_ = Error{std::move(message), at};
    failed_ = true;
    return false;
}

bool BinDecoder::truncated() {
    if (!final_) {
        needMore_ = true;
        return false;
    }
    return fail(base_ + in_->offset(), "unexpected end of data");
}

bool BinDecoder::readNumber(std::size_t width, std::uint64_t& value) {
    return in_->read(width, value) || truncated();
}

bool BinDecoder::readHeader() {
    std::string_view header;
    if (!in_->readBytes(bin::kHeader.size(), header)) {
        if (!final_) {
            needMore_ = true;
            return false;
        }
        return fail(0, "too short for the SERZ header");
    }
    if (header != bin::kHeader) {
        return fail(0, "not a SERZ file (wrong header)");
    }
    return true;
}

// Reads a string reference, taking a new string into the table; `index` is its table index.
bool BinDecoder::readStringRef(std::uint32_t& index) {
    const std::size_t at = base_ + in_->offset();
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
    ByteCursor& in = *in_;
    const std::size_t textStart = in.offset();
    std::uint64_t seen = 0;
    while (seen < units) {
        if (in.atEnd()) {
            return truncated();
        }
        if (*in.here() < 0x80) {
            ++seen;
            in.skip(1);
            continue;
        }
        const std::size_t claimed = utf8::claimedLength(*in.here());
        if (claimed != 0 && !in.has(claimed)) {
            return truncated();
        }
        const std::size_t length = utf8::sequenceLength(in.here(), in.size() - in.offset());
        if (length == 0) {
            return fail(base_ + in.offset(), "string is not valid UTF-8");
        }
        seen += length == 4 ? 2 : 1;
        in.skip(length);
    }
    if (seen != units) {
        return fail(base_ + textStart, "string's character count ends inside a character");
    }
    index = static_cast<std::uint32_t>(strings_.size());
    strings_.emplace_back(in.slice(textStart, in.offset()));
    return true;
}

bool BinDecoder::readType(ValueType& type, bool forArray) {
    const std::size_t at = base_ + in_->offset();
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

bool BinDecoder::readRecord() {
    const std::size_t start = base_ + in_->offset();
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
bool BinDecoder::readTemplate(SlotTemplate& slot, std::size_t start) {
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

bool BinDecoder::readPayload(const SlotTemplate& slot, std::size_t start) {
    RecordView record;
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
        elements_.resize(number);
        for (std::uint64_t& element : elements_) {
            if (!readNumber(byteWidth(slot.type), element)) {
                return false;
            }
        }
        record.elements = elements_;
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
        if (!in_->readBytes(number, bytes)) {
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
    if (textBytes_ > kMaxTextBytes && textBytes_ > kMaxTextPerByte * start) {
        return fail(start, kMaxTextPerByte * start <= kMaxTextBytes
                               ? "names and strings add up to more than " +
                                     std::to_string(kMaxTextBytes >> 20) + " MiB"
                               : "names and strings add up to more than " + std::to_string(kMaxTextPerByte) +
                                     " times the bytes before them");
    }
    if (const auto problem = structure_.accept(record)) {
        return fail(start, *problem);
    }
    sink_.put(record);
    return true;
}

} // namespace serz
