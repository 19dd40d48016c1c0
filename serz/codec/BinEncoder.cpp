// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinEncoder.h"

#include "serz/BinFormat.h"
#include "serz/Utf8.h"

namespace serz {
namespace {

// The bytes go to the sink in chunks of about this size.
constexpr std::size_t kChunkBytes = std::size_t{256} << 10;

std::uint8_t opcodeOf(RecordKind kind) {
    switch (kind) {
    case RecordKind::Open:
        return bin::kOpen;
    case RecordKind::Close:
        return bin::kClose;
    case RecordKind::Scalar:
        return bin::kScalar;
    case RecordKind::Array:
        return bin::kArray;
    case RecordKind::Reference:
        return bin::kReference;
    case RecordKind::Nil:
        return bin::kNil;
    case RecordKind::Blob:
        return bin::kBlob;
    }
    return 0;
}

bool hasName(RecordKind kind) {
    return kind != RecordKind::Nil && kind != RecordKind::Blob;
}
bool hasType(RecordKind kind) {
    return kind == RecordKind::Scalar || kind == RecordKind::Array;
}

// The cache key of a record: opcode, name and (for scalars and arrays) type; never the payload.
std::uint64_t keyOf(std::uint8_t opcode, std::uint16_t name, RecordKind kind, ValueType type) {
    const std::uint64_t typePart = hasType(kind) ? static_cast<std::uint64_t>(type) + 1 : 0;
    return (std::uint64_t{opcode} << 32) | (std::uint64_t{name} << 8) | typePart;
}

} // namespace

BinEncoder::BinEncoder(OutputSink& output) : output_(output) {
    out_.append(bin::kHeader);
}

bool BinEncoder::put(const RecordView& record) {
    lastSource_ = record.source;
    if (out_.size() >= kChunkBytes && !flush()) {
        return false;
    }
    return write(record);
}

bool BinEncoder::finish() {
    if (const auto problem = structure_.finish()) {
        error_ = Error{*problem, lastSource_};
        return false;
    }
    return flush();
}

bool BinEncoder::flush() {
    if (!out_.empty() && !output_.write(out_)) {
        outputFailed_ = true;
        return false;
    }
    handedOver_ += out_.size();
    out_.clear();
    return true;
}

bool BinEncoder::fail(const RecordView& record, std::string message) {
    error_ = Error{std::move(message), record.source};
    return false;
}

void BinEncoder::putNumber(std::uint64_t value, std::size_t width) {
    char bytes[8];
    for (std::size_t i = 0; i < width; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    out_.append(bytes, width);
}

bool BinEncoder::putString(const RecordView& record, std::string_view text) {
    return putString(record, text, strings_.find(text)).has_value();
}

std::optional<std::uint16_t> BinEncoder::putString(const RecordView& record, std::string_view text,
                                                   std::optional<std::uint16_t> index) {
    if (index) {
        putNumber(*index, 2);
        return index;
    }
    index = strings_.add(text);
    if (!index) {
        fail(record, "more than 65,535 distinct strings: the binary form cannot index them");
        return std::nullopt;
    }
    putNumber(bin::kNewString, 2);
    putNumber(utf8::utf16Length(text), 4);
    out_.append(text);
    return index;
}

// The table index of a type's name, once the table holds it. Strings never leave the table, so an
// index found is kept.
std::optional<std::uint16_t> BinEncoder::typeIndex(ValueType type) {
    auto& known = typeIndexes_[static_cast<std::size_t>(type)];
    if (!known) {
        known = strings_.find(nameOf(type));
    }
    return known;
}

bool BinEncoder::writeLead(const RecordView& record) {
    const std::uint8_t opcode = opcodeOf(record.kind);
    const bool named = hasName(record.kind);
    const bool typed = hasType(record.kind);
    std::optional<std::uint16_t> name = named ? strings_.find(record.name) : std::optional<std::uint16_t>(0);
    std::optional<std::uint16_t> type = typed ? typeIndex(record.type) : std::optional<std::uint16_t>(0);
    if (name && type) {
        if (const auto slot = cache_.slotOf(keyOf(opcode, *name, record.kind, record.type))) {
            out_.push_back(static_cast<char>(*slot));
            return true;
        }
    }
    out_.push_back(static_cast<char>(bin::kLongForm));
    out_.push_back(static_cast<char>(opcode));
    if (named && !(name = putString(record, record.name, name))) {
        return false;
    }
    if (typed && !putString(record, nameOf(record.type), typeIndex(record.type))) {
        return false;
    }
    cache_.insert(keyOf(opcode, *name, record.kind, record.type));
    return true;
}

bool BinEncoder::write(const RecordView& record) {
    if (const auto problem = structure_.accept(record)) {
        return fail(record, *problem);
    }
    if (record.kind == RecordKind::Array) {
        if (record.elements.size() > bin::kMaxArrayElements) {
            return fail(record, "array '" + std::string(record.name) + "' has " +
                                    std::to_string(record.elements.size()) +
                                    " elements; the binary form holds at most 255");
        }
        if (record.type == ValueType::String) {
            return fail(record, "arrays of cDeltaString are not supported");
        }
    }
    if (record.kind != RecordKind::Close && !open_.empty()) {
        ++open_.back().children;
    }
    if (!writeLead(record)) {
        return false;
    }
    return writePayload(record);
}

bool BinEncoder::writePayload(const RecordView& record) {
    switch (record.kind) {
    case RecordKind::Open:
        putNumber(record.id, 4);
        open_.push_back({handedOver_ + out_.size(), 0});
        putNumber(0, 4);
        break;
    case RecordKind::Close: {
        const OpenElement element = open_.back();
        open_.pop_back();
        char count[4];
        for (std::size_t i = 0; i < 4; ++i) {
            count[i] = static_cast<char>((element.children >> (8 * i)) & 0xFF);
        }
        if (element.countOffset >= handedOver_) {
            out_.replace(element.countOffset - handedOver_, 4, count, 4);
        } else if (!output_.overwrite(element.countOffset, {count, 4})) {
            outputFailed_ = true;
            return false;
        }
        break;
    }
    case RecordKind::Scalar:
        if (record.type == ValueType::String) {
            return putString(record, record.text);
        }
        putNumber(record.bits, byteWidth(record.type));
        break;
    case RecordKind::Array:
        putNumber(record.elements.size(), 1);
        for (const std::uint64_t element : record.elements) {
            putNumber(element, byteWidth(record.type));
        }
        break;
    case RecordKind::Reference:
        putNumber(record.id, 4);
        break;
    case RecordKind::Nil:
        break;
    case RecordKind::Blob:
        putNumber(record.text.size(), 4);
        out_.append(record.text);
        break;
    }
    return true;
}

} // namespace serz
