// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/Record.h"

#include <utility>

namespace serz {

Record Record::open(std::string name, std::uint32_t id) {
    Record r;
    r.kind = RecordKind::Open;
    r.name = std::move(name);
    r.id = id;
    return r;
}

Record Record::close(std::string name) {
    Record r;
    r.kind = RecordKind::Close;
    r.name = std::move(name);
    return r;
}

Record Record::scalar(std::string name, ValueType type, std::uint64_t bits) {
    Record r;
    r.kind = RecordKind::Scalar;
    r.name = std::move(name);
    r.type = type;
    r.bits = bits;
    return r;
}

Record Record::string(std::string name, std::string text) {
    Record r;
    r.kind = RecordKind::Scalar;
    r.name = std::move(name);
    r.type = ValueType::String;
    r.text = std::move(text);
    return r;
}

Record Record::array(std::string name, ValueType elementType, std::vector<std::uint64_t> elements) {
    Record r;
    r.kind = RecordKind::Array;
    r.name = std::move(name);
    r.type = elementType;
    r.elements = std::move(elements);
    return r;
}

Record Record::reference(std::string name, std::uint32_t id) {
    Record r;
    r.kind = RecordKind::Reference;
    r.name = std::move(name);
    r.id = id;
    return r;
}

Record Record::nil() {
    Record r;
    r.kind = RecordKind::Nil;
    return r;
}

Record Record::blob(std::string bytes) {
    Record r;
    r.kind = RecordKind::Blob;
    r.text = std::move(bytes);
    return r;
}

bool operator==(const Record& a, const Record& b) {
    return a.kind == b.kind && a.type == b.type && a.name == b.name && a.id == b.id && a.bits == b.bits &&
           a.text == b.text && a.elements == b.elements;
}

} // namespace serz
