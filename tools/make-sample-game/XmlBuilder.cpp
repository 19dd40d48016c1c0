// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmlBuilder.h"

#include "serz/ValueText.h"
#include "serz/ValueType.h"
#include "serz/XmlWriter.h"

#include <bit>
#include <charconv>
#include <stdexcept>

namespace dovrel::sample {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendInteger(std::string& out, auto value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// The stored bits of a float exactly as the converter gets them back from its own text: the
// value is printed as the converter prints it and read again, so text, bits and d:alt_encoding
// agree whichever way the file is converted.
std::uint64_t settledBits(serz::ValueType type, double value, bool asElement) {
    const std::uint64_t bits = type == serz::ValueType::Float32
                                   ? std::bit_cast<std::uint32_t>(static_cast<float>(value))
                                   : std::bit_cast<std::uint64_t>(value);
    std::string text;
    if (asElement) {
        serz::appendElementText(text, type, bits);
    } else {
        serz::appendScalarText(text, type, bits);
    }
    const auto settled = serz::parseValueText(type, text);
    if (!settled) {
        throw std::logic_error("float value without a text form: " + text);
    }
    return *settled;
}

} // namespace

std::string escapedXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

XmlBuilder::XmlBuilder(std::string_view rootName, std::uint32_t rootId, std::size_t reserve) {
    out_.reserve(reserve);
    out_ += R"(<?xml version="1.0" encoding="utf-8"?>)";
    out_ += kLineEnd;
    out_ += '<';
    out_ += rootName;
    out_ += R"( xmlns:d=")";
    out_ += serz::kNamespace;
    out_ += R"(" d:version="1.0")";
    if (rootId != 0) {
        out_ += R"( d:id=")";
        appendInteger(out_, static_cast<std::int32_t>(rootId));
        out_ += '"';
    }
    open_.emplace_back(rootName);
    pending_ = true;
}

void XmlBuilder::startLine() {
    if (pending_) {
        out_ += '>';
        out_ += kLineEnd;
        pending_ = false;
    }
    out_.append(open_.size(), '\t');
}

void XmlBuilder::open(std::string_view name, std::uint32_t id) {
    startLine();
    out_ += '<';
    out_ += name;
    if (id != 0) {
        out_ += R"( d:id=")";
        appendInteger(out_, static_cast<std::int32_t>(id));
        out_ += '"';
    }
    open_.emplace_back(name);
    pending_ = true;
}

void XmlBuilder::close() {
    if (open_.empty()) {
        throw std::logic_error("close without an open element");
    }
    if (pending_) {
        out_ += "/>";
        pending_ = false;
    } else {
        out_.append(open_.size() - 1, '\t');
        out_ += "</";
        out_ += open_.back();
        out_ += '>';
    }
    out_ += kLineEnd;
    open_.pop_back();
}

void XmlBuilder::empty(std::string_view name, std::uint32_t id) {
    open(name, id);
    close();
}

void XmlBuilder::valueStart(std::string_view name, std::string_view type) {
    startLine();
    out_ += '<';
    out_ += name;
    out_ += R"( d:type=")";
    out_ += type;
    out_ += '"';
}

void XmlBuilder::valueEnd(std::string_view name) {
    out_ += "</";
    out_ += name;
    out_ += '>';
    out_ += kLineEnd;
}

void XmlBuilder::text(std::string_view name, std::string_view value) {
    valueStart(name, "cDeltaString");
    out_ += '>';
    out_ += escapedXml(value);
    valueEnd(name);
}

void XmlBuilder::boolean(std::string_view name, bool value) {
    valueStart(name, "bool");
    out_ += value ? ">1" : ">0";
    valueEnd(name);
}

void XmlBuilder::int32(std::string_view name, std::int32_t value) {
    valueStart(name, "sInt32");
    out_ += '>';
    appendInteger(out_, value);
    valueEnd(name);
}

void XmlBuilder::uint8(std::string_view name, std::uint8_t value) {
    valueStart(name, "sUInt8");
    out_ += '>';
    appendInteger(out_, static_cast<unsigned>(value));
    valueEnd(name);
}

void XmlBuilder::uint32(std::string_view name, std::uint32_t value) {
    valueStart(name, "sUInt32");
    out_ += '>';
    appendInteger(out_, value);
    valueEnd(name);
}

void XmlBuilder::uint64(std::string_view name, std::uint64_t value) {
    valueStart(name, "sUInt64");
    out_ += '>';
    appendInteger(out_, value);
    valueEnd(name);
}

void XmlBuilder::floatValue(std::string_view name, bool single, double value) {
    const serz::ValueType type = single ? serz::ValueType::Float32 : serz::ValueType::Float64;
    const std::uint64_t bits = settledBits(type, value, false);
    valueStart(name, serz::nameOf(type));
    out_ += R"( d:alt_encoding=")";
    serz::appendAltEncoding(out_, type, bits);
    out_ += R"(" d:precision="string">)";
    serz::appendScalarText(out_, type, bits);
    valueEnd(name);
}

void XmlBuilder::float32(std::string_view name, double value) {
    floatValue(name, true, value);
}

void XmlBuilder::float64(std::string_view name, double value) {
    floatValue(name, false, value);
}

void XmlBuilder::floats(std::string_view name, const std::vector<double>& values) {
    startLine();
    out_ += '<';
    out_ += name;
    out_ += R"( d:numElements=")";
    appendInteger(out_, values.size());
    out_ += R"(" d:elementType="sFloat32" d:precision="string">)";
    bool first = true;
    for (const double value : values) {
        if (!first) {
            out_ += ' ';
        }
        first = false;
        serz::appendElementText(out_, serz::ValueType::Float32,
                                settledBits(serz::ValueType::Float32, value, true));
    }
    valueEnd(name);
}

void XmlBuilder::reference(std::string_view name, std::uint32_t id) {
    valueStart(name, "ref");
    out_ += '>';
    appendInteger(out_, static_cast<std::int32_t>(id));
    valueEnd(name);
}

void XmlBuilder::nil() {
    startLine();
    out_ += "<d:nil/>";
    out_ += kLineEnd;
}

std::string XmlBuilder::takeText() {
    std::string text = std::move(out_);
    out_.clear();
    return text;
}

std::string XmlBuilder::finish() {
    while (!open_.empty()) {
        close();
    }
    return std::move(out_);
}

} // namespace dovrel::sample
