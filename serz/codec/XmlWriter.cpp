// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/XmlWriter.h"

#include "StructureCheck.h"
#include "XmlText.h"
#include "serz/Utf8.h"
#include "serz/ValueText.h"

#include <charconv>
#include <vector>

namespace serz {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

class XmlEncoder {
    // Where an element's name stands in the output, as written in its start tag.
    struct WrittenName {
        std::size_t start = 0;
        std::size_t length = 0;
    };

public:
    Result<std::string> run(const Document& document) {
        out_.reserve(expectedSize(document));
        out_ += R"(<?xml version="1.0" encoding="utf-8"?>)";
        out_ += kLineEnd;
        for (const Record& record : document) {
            if (!write(record)) {
                return error_;
            }
        }
        if (const auto problem = structure_.finish()) {
            return Error{*problem, document.empty() ? 0 : document.back().source};
        }
        return std::move(out_);
    }

private:
    // About the size of the XML: each name twice (start and end tag), the text (a blob's as hex), and
    // the markup around them; reserved at once, so that long strings are not copied as it grows.
    static std::size_t expectedSize(const Document& document) {
        std::size_t size = 64;
        for (const Record& record : document) {
            size +=
                2 * record.name.size() + record.text.size() * (record.kind == RecordKind::Blob ? 2 : 1) + 64;
        }
        return size;
    }

    bool fail(const Record& record, std::string message) {
        error_ = Error{std::move(message), record.source};
        return false;
    }

    void indent() { out_.append(depth_, '\t'); }

    bool startTag(const Record& record) {
        indent();
        out_ += '<';
        const std::size_t nameStart = out_.size();
        if (utf8::firstInvalid(record.name) != std::string_view::npos ||
            !xml::appendElementName(out_, record.name)) {
            return fail(record, "element name '" + record.name + "' cannot be written as an XML tag");
        }
        lastTag_ = {nameStart, out_.size() - nameStart};
        return true;
    }

    // The end tag repeats the name its start tag wrote, copied from the output.
    bool endTag(const WrittenName& name) {
        out_ += "</";
        out_.append(out_, name.start, name.length);
        out_ += '>';
        out_ += kLineEnd;
        return true;
    }

    void appendSignedId(std::uint32_t id) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int32_t>(id));
        out_.append(buffer, result.ptr);
    }

    void appendCount(std::size_t count) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, count);
        out_.append(buffer, result.ptr);
    }

    bool write(const Record& record) {
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
                openTags_.pop_back();
                return true;
            }
            out_ += '>';
            out_ += kLineEnd;
        }
        switch (record.kind) {
        case RecordKind::Open:
            return writeOpen(record, isRoot);
        case RecordKind::Close: {
            --depth_;
            indent();
            const WrittenName name = openTags_.back();
            openTags_.pop_back();
            return endTag(name);
        }
        case RecordKind::Scalar:
            return writeScalar(record);
        case RecordKind::Array:
            return writeArray(record);
        case RecordKind::Reference:
            if (!startTag(record)) {
                return false;
            }
            out_ += R"( d:type="ref">)";
            appendSignedId(record.id);
            return endTag(lastTag_);
        case RecordKind::Nil:
            indent();
            out_ += "<d:nil/>";
            out_ += kLineEnd;
            return true;
        case RecordKind::Blob:
            return writeBlob(record);
        }
        return true;
    }

    bool writeOpen(const Record& record, bool isRoot) {
        if (!startTag(record)) {
            return false;
        }
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
        openTags_.push_back(lastTag_);
        return true;
    }

    bool writeScalar(const Record& record) {
        if (!startTag(record)) {
            return false;
        }
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
                return fail(record, "string of '" + record.name + "' is not valid UTF-8");
            }
            xml::appendEscaped(out_, record.text);
        } else {
            appendScalarText(out_, record.type, record.bits);
        }
        return endTag(lastTag_);
    }

    bool writeArray(const Record& record) {
        if (record.type == ValueType::String) {
            return fail(record, "arrays of cDeltaString are not supported");
        }
        if (!startTag(record)) {
            return false;
        }
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
        return endTag(lastTag_);
    }

    bool writeBlob(const Record& record) {
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
        return true;
    }

    std::string out_;
    WrittenName lastTag_;               // the name in the last start tag written
    std::vector<WrittenName> openTags_; // the names of the elements open, innermost last
    StructureCheck structure_;
    std::size_t depth_ = 0;
    bool openPending_ = false; // an open tag awaits '>' or "/>"
    Error error_;
};

} // namespace

Result<std::string> writeXml(const Document& document) {
    return XmlEncoder().run(document);
}

} // namespace serz
