// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmlEncoder.h"

#include "XmlText.h"
#include "serz/Utf8.h"
#include "serz/ValueText.h"
#include "serz/XmlWriter.h"

#include <charconv>

namespace serz {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The text goes to the sink in chunks of about this size.
constexpr std::size_t kChunkBytes = std::size_t{256} << 10;

} // namespace

XmlEncoder::XmlEncoder(OutputSink& output) : output_(output) {
    out_ += R"(<?xml version="1.0" encoding="utf-8"?>)";
    out_ += kLineEnd;
}

bool XmlEncoder::put(const RecordView& record) {
    lastSource_ = record.source;
    // The text so far ends with a whole line unless an open tag still waits for its end.
    if (out_.size() >= kChunkBytes && !openPending_ && !flush()) {
        return false;
    }
    return write(record);
}

bool XmlEncoder::finish() {
    if (const auto problem = structure_.finish()) {
        error_ = Error{*problem, lastSource_};
        return false;
    }
    return flush();
}

bool XmlEncoder::flush() {
    if (!out_.empty() && !output_.write(out_)) {
        outputFailed_ = true;
        return false;
    }
    out_.clear();
    return true;
}

bool XmlEncoder::fail(const RecordView& record, std::string message) {
    error_ = Error{std::move(message), record.source};
    return false;
}

bool XmlEncoder::startTag(const RecordView& record) {
    indent();
    out_ += '<';
    lastTagStart_ = out_.size();
    if (utf8::firstInvalid(record.name) != std::string_view::npos ||
        !xml::appendElementName(out_, record.name)) {
        return fail(record,
                    "element name '" + std::string(record.name) + "' cannot be written as an XML tag");
    }
    return true;
}

void XmlEncoder::endTag(std::string_view writtenName) {
    out_ += "</";
    out_ += writtenName;
    out_ += '>';
    out_ += kLineEnd;
}

void XmlEncoder::appendSignedId(std::uint32_t id) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int32_t>(id));
    out_.append(buffer, result.ptr);
}

void XmlEncoder::appendCount(std::size_t count) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, count);
    out_.append(buffer, result.ptr);
}

bool XmlEncoder::write(const RecordView& record) {
    const bool isRoot = structure_.depth() == 0;
    if (const auto problem = structure_.accept(record)) {
        return fail(record, *problem);
    }
    if (openPending_) {
        openPending_ = false;
        if (record.kind == RecordKind::Close) {
            out_ += "/>";
            out_ += kLineEnd;
            --depth_;
            return true;
        }
        out_ += '>';
        out_ += kLineEnd;
    }
    switch (record.kind) {
    case RecordKind::Open:
        return writeOpen(record, isRoot);
    case RecordKind::Close:
        --depth_;
        indent();
        endTag(openTags_[depth_]);
        return true;
    case RecordKind::Scalar:
        return writeScalar(record);
    case RecordKind::Array:
        return writeArray(record);
    case RecordKind::Reference: {
        if (!startTag(record)) {
            return false;
        }
        const std::size_t nameEnd = out_.size();
        out_ += R"( d:type="ref">)";
        appendSignedId(record.id);
        out_ += "</";
        out_.append(out_, lastTagStart_, nameEnd - lastTagStart_);
        out_ += '>';
        out_ += kLineEnd;
        return true;
    }
    case RecordKind::Nil:
        indent();
        out_ += "<d:nil/>";
        out_ += kLineEnd;
        return true;
    case RecordKind::Blob:
        writeBlob(record);
        return true;
    }
    return true;
}

bool XmlEncoder::writeOpen(const RecordView& record, bool isRoot) {
    if (!startTag(record)) {
        return false;
    }
    if (openTags_.size() <= depth_) {
        openTags_.resize(depth_ + 1);
    }
    openTags_[depth_].assign(out_, lastTagStart_, out_.size() - lastTagStart_);
    if (isRoot) {
        out_ += R"( xmlns:d=")";
        out_ += kNamespace;
        out_ += R"(" d:version="1.0")";
    }
    if (record.id != 0) {
        out_ += R"( d:id=")";
        appendSignedId(record.id);
        out_ += '"';
    }
    openPending_ = true;
    ++depth_;
    return true;
}

bool XmlEncoder::writeScalar(const RecordView& record) {
    if (!startTag(record)) {
        return false;
    }
    const std::size_t nameEnd = out_.size();
    out_ += R"( d:type=")";
    out_ += nameOf(record.type);
    out_ += '"';
    if (isFloat(record.type)) {
        out_ += R"( d:alt_encoding=")";
        appendAltEncoding(out_, record.type, record.bits);
        out_ += R"(" d:precision="string")";
    }
    out_ += '>';
    if (record.type == ValueType::String) {
        if (utf8::firstInvalid(record.text) != std::string_view::npos) {
            return fail(record, "string of '" + std::string(record.name) + "' is not valid UTF-8");
        }
        xml::appendEscaped(out_, record.text);
    } else {
        appendScalarText(out_, record.type, record.bits);
    }
    out_ += "</";
    out_.append(out_, lastTagStart_, nameEnd - lastTagStart_);
    out_ += '>';
    out_ += kLineEnd;
    return true;
}

bool XmlEncoder::writeArray(const RecordView& record) {
    if (record.type == ValueType::String) {
        return fail(record, "arrays of cDeltaString are not supported");
    }
    if (!startTag(record)) {
        return false;
    }
    const std::size_t nameEnd = out_.size();
    out_ += R"( d:numElements=")";
    appendCount(record.elements.size());
    out_ += R"(" d:elementType=")";
    out_ += nameOf(record.type);
    out_ += R"(" d:precision="string">)";
    for (std::size_t i = 0; i < record.elements.size(); ++i) {
        if (i != 0) {
            out_ += ' ';
        }
        appendElementText(out_, record.type, record.elements[i]);
    }
    out_ += "</";
    out_.append(out_, lastTagStart_, nameEnd - lastTagStart_);
    out_ += '>';
    out_ += kLineEnd;
    return true;
}

void XmlEncoder::writeBlob(const RecordView& record) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    indent();
    out_ += R"(<d:blob d:size=")";
    appendCount(record.text.size());
    out_ += R"(">)";
    for (const char c : record.text) {
        const auto b = static_cast<unsigned char>(c);
        out_ += kHex[b >> 4];
        out_ += kHex[b & 0xF];
    }
    out_ += "</d:blob>";
    out_ += kLineEnd;
}

} // namespace serz
