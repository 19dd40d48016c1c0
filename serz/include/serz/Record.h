// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/ValueType.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace serz {

// The kinds of record that appear in a document. The binary form's internal marker is dropped
// on reading and so has no kind here.
enum class RecordKind : std::uint8_t {
    Open,
    Close,
    Scalar,
    Array,
    Reference,
    Nil,
    Blob,
};

// One record of the flat stream that both forms describe: an element's opening and closing,
// or a leaf. Numbers are kept as their raw little-endian bits, so a value read from one form
// is written to the other without passing through text it was not written as.
struct Record {
    RecordKind kind = RecordKind::Open;
    ValueType type = ValueType::Bool;    // Scalar: the value's type; Array: the element type
    std::string name;                    // element name as stored ("Network::cTrackFollower")
    std::uint32_t id = 0;                // Open: the element's id; Reference: the id it refers to
    std::uint64_t bits = 0;              // Scalar of a number or bool type: the value's bytes
    std::string text;                    // Scalar of type String: the string; Blob: the raw bytes
    std::vector<std::uint64_t> elements; // Array: each element's bytes
    std::size_t source = 0;              // where the record was read: byte offset (bin) or line (XML)

    static Record open(std::string name, std::uint32_t id = 0);
    static Record close(std::string name);
    static Record scalar(std::string name, ValueType type, std::uint64_t bits);
    static Record string(std::string name, std::string text);
    static Record array(std::string name, ValueType elementType, std::vector<std::uint64_t> elements);
    static Record reference(std::string name, std::uint32_t id);
    static Record nil();
    static Record blob(std::string bytes);

    friend bool operator==(const Record& a, const Record& b);
};

// Elements nest at most this deep. Real files stay below a few dozen levels; the limit keeps
// the indentation of the XML (one TAB per level on every line) from growing without bound.
inline constexpr std::size_t kMaxDepth = 1000;

// The names and strings of a document read from the binary form add up to at most this many bytes,
// or kMaxTextPerByte times the bytes read before the record, whichever is more. The binary form
// stores a string once and repeats it in three bytes, so without a limit a file of one megabyte
// could stand for gigabytes of XML. Real files hold a few bytes of names and strings per byte (a
// generated scenario about 2.5), so the limit grows with the file; up to 2 MiB it is 64 MiB.
inline constexpr std::size_t kMaxTextBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxTextPerByte = 32;

// A document is its records in order: exactly one root element, opened first and closed last.
using Document = std::vector<Record>;

// Records are equal when they would be written the same way; `source` is not compared.
bool operator==(const Record& a, const Record& b);

} // namespace serz
