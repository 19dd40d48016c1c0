// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/XmlReader.h"

#include "LineCounter.h"
#include "XmlText.h"
#include "serz/BinFormat.h"
#include "serz/Utf8.h"
#include "serz/ValueText.h"

#include <charconv>
#include <cstring>
#include <unordered_set>
#include <vector>

namespace serz {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool endsName(char c) {
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// An id or a reference: a signed 32-bit decimal, or the same bits written unsigned.
std::optional<std::uint32_t> parseId(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const auto bits = parseValueText(negative ? ValueType::Int32 : ValueType::UInt32, text);
    if (!bits) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*bits);
}

struct Attribute {
    std::string_view name;
    std::string value;
};

struct StartTag {
    std::string_view name; // as written in the XML
    std::size_t offset = 0;
    bool selfClosing = false;
    std::vector<Attribute> attributes;

    const std::string* find(std::string_view attribute) const {
        for (const Attribute& a : attributes) {
            if (a.name == attribute) {
                return &a.value;
            }
        }
        return nullptr;
    }
};

class XmlParser {
public:
    explicit XmlParser(std::string_view text) : in_(text), lines_(text) {}

    Result<Document> run() {
        if (const std::size_t bad = utf8::firstInvalid(in_); bad != std::string_view::npos) {
            return Error{"the file is not valid UTF-8", lines_.lineAt(bad)};
        }
        if (!readDocument()) {
            return error_;
        }
        return std::move(document_);
    }

private:
    // ---- errors and positions ----

    bool fail(std::size_t offset, std::string message) {
        error_ = Error{std::move(message), lines_.lineAt(offset)};
        return false;
    }

    bool atEnd() const { return pos_ >= in_.size(); }
    bool startsWith(std::string_view prefix) const { return in_.substr(pos_, prefix.size()) == prefix; }

    void skipSpace() {
        while (pos_ < in_.size() && isSpace(in_[pos_])) {
            ++pos_;
        }
    }

    // Moves past `terminator`, which must come before the end.
    bool skipPast(std::string_view terminator, std::string_view what) {
        const std::size_t start = pos_;
        const std::size_t found = in_.find(terminator, pos_);
        if (found == std::string_view::npos) {
            return fail(start, std::string(what) + " is not closed");
        }
        pos_ = found + terminator.size();
        return true;
    }

    // Skips white space, comments and processing instructions outside the root element.
    bool skipMisc() {
        for (;;) {
            skipSpace();
            if (startsWith("<!--")) {
                if (!skipPast("-->", "comment")) {
                    return false;
                }
            } else if (startsWith("<?")) {
                if (!skipPast("?>", "processing instruction")) {
                    return false;
                }
            } else {
                return true;
            }
        }
    }

    // ---- the document ----

    bool readDocument() {
        if (startsWith("\xEF\xBB\xBF")) {
            pos_ += 3;
        }
        if (!skipMisc()) {
            return false;
        }
        if (atEnd() || in_[pos_] != '<' || startsWith("<!")) {
            return fail(pos_, "expected the root element");
        }
        if (!readElement(true)) {
            return false;
        }
        while (!open_.empty()) {
            if (!readContent()) {
                return false;
            }
        }
        if (!skipMisc()) {
            return false;
        }
        if (!atEnd()) {
            return fail(pos_, "content after the end of the root element");
        }
        return true;
    }

    // Reads what comes next inside an open element: white space, a comment, a child or its end.
    bool readContent() {
        skipSpace();
        if (atEnd()) {
            return fail(pos_, "unexpected end of file: <" + std::string(open_.back()) + "> is not closed");
        }
        if (in_[pos_] != '<') {
            return fail(pos_, "text inside <" + std::string(open_.back()) + ">, which holds elements");
        }
        if (startsWith("<!--")) {
            return skipPast("-->", "comment");
        }
        if (startsWith("<?")) {
            return skipPast("?>", "processing instruction");
        }
        if (startsWith("<!")) {
            return fail(pos_, "unexpected markup inside <" + std::string(open_.back()) + ">");
        }
        if (startsWith("</")) {
            const std::size_t at = pos_;
            if (!readEndTag(open_.back())) {
                return false;
            }
            Record close = Record::close(xml::storedName(open_.back()));
            open_.pop_back();
            close.source = lines_.lineAt(at);
            document_.push_back(std::move(close));
            return true;
        }
        return readElement(false);
    }

    // ---- tags ----

    bool readName(std::string_view& name) {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && !endsName(in_[pos_])) {
            const char c = in_[pos_];
            if (c == '&' || c == '"' || c == '\'') {
                return fail(pos_, std::string("'") + c + "' in a tag name");
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return fail(pos_,
                            "control character " + std::to_string(static_cast<int>(c)) + " in a tag name");
            }
            ++pos_;
        }
        if (pos_ == start) {
            return fail(start, "expected a name");
        }
        name = in_.substr(start, pos_ - start);
        return true;
    }

    bool readStartTag(StartTag& tag) {
        tag.offset = pos_;
        tag.attributes.clear();
        if (!manyNames_.empty()) {
            manyNames_ = {};
        }
        ++pos_; // '<'
        if (!readName(tag.name)) {
            return false;
        }
        for (;;) {
            const std::size_t beforeSpace = pos_;
            skipSpace();
            if (atEnd()) {
                return fail(tag.offset,
                            "unexpected end of file inside the tag <" + std::string(tag.name) + ">");
            }
            if (in_[pos_] == '>') {
                ++pos_;
                tag.selfClosing = false;
                return true;
            }
            if (startsWith("/>")) {
                pos_ += 2;
                tag.selfClosing = true;
                return true;
            }
            if (pos_ == beforeSpace) {
                return fail(pos_, "malformed tag <" + std::string(tag.name) + ">");
            }
            if (!readAttribute(tag)) {
                return false;
            }
        }
    }

    bool readAttribute(StartTag& tag) {
        Attribute attribute;
        const std::size_t at = pos_;
        if (!readName(attribute.name)) {
            return false;
        }
        skipSpace();
        if (atEnd() || in_[pos_] != '=') {
            return fail(pos_, "attribute " + std::string(attribute.name) + " has no value");
        }
        ++pos_;
        skipSpace();
        if (atEnd() || (in_[pos_] != '"' && in_[pos_] != '\'')) {
            return fail(pos_, "attribute " + std::string(attribute.name) + " has no quoted value");
        }
        const char quote = in_[pos_++];
        const std::size_t end = in_.find(quote, pos_);
        if (end == std::string_view::npos) {
            return fail(at, "attribute " + std::string(attribute.name) + " is not closed");
        }
        const std::string_view raw = in_.substr(pos_, end - pos_);
        if (const std::size_t lt = raw.find('<'); lt != std::string_view::npos) {
            return fail(pos_ + lt, "'<' inside an attribute value");
        }
        if (!decode(raw, pos_, true, attribute.value)) {
            return false;
        }
        pos_ = end + 1;
        if (repeats(tag, attribute.name)) {
            return fail(at, "attribute " + std::string(attribute.name) + " appears twice");
        }
        tag.attributes.push_back(std::move(attribute));
        return true;
    }

    // Whether the tag already has an attribute of this name. A tag has a few attributes, searched
    // in place; past kFewAttributes their names go into a set, so that a tag with thousands of
    // attributes is still read in linear time.
    bool repeats(const StartTag& tag, std::string_view name) {
        static constexpr std::size_t kFewAttributes = 16;
        if (tag.attributes.size() < kFewAttributes) {
            return tag.find(name) != nullptr;
        }
        if (manyNames_.empty()) {
            for (const Attribute& attribute : tag.attributes) {
                manyNames_.insert(attribute.name);
            }
        }
        return !manyNames_.insert(name).second;
    }

    bool readEndTag(std::string_view expected) {
        const std::size_t at = pos_;
        pos_ += 2; // "</"
        std::string_view name;
        if (!readName(name)) {
            return false;
        }
        skipSpace();
        if (atEnd() || in_[pos_] != '>') {
            return fail(pos_, "malformed end tag </" + std::string(name) + ">");
        }
        ++pos_;
        if (name != expected) {
            return fail(at, "</" + std::string(name) + "> does not close <" + std::string(expected) + ">");
        }
        return true;
    }

    // ---- text ----

    // Decodes character data: entities and character references replaced, line ends
    // normalised to LF, and in attribute values white space characters made spaces.
    bool decode(std::string_view raw, std::size_t offset, bool attribute, std::string& out) {
        std::size_t run = 0;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const char c = raw[i];
            if (c != '&' && c != '\r' && !(attribute && (c == '\n' || c == '\t'))) {
                continue;
            }
            out.append(raw, run, i - run);
            if (c == '&') {
                if (!decodeReference(raw, i, offset, out)) {
                    return false;
                }
            } else if (c == '\r') {
                if (i + 1 < raw.size() && raw[i + 1] == '\n') {
                    ++i;
                }
                out += attribute ? ' ' : '\n';
            } else {
                out += ' ';
            }
            run = i + 1;
        }
        out.append(raw, run, raw.size() - run);
        return true;
    }

    // Decodes the reference starting at raw[i] ('&'); leaves i on its ';'.
    bool decodeReference(std::string_view raw, std::size_t& i, std::size_t offset, std::string& out) {
        const std::size_t semicolon = raw.find(';', i);
        if (semicolon == std::string_view::npos || semicolon - i > 12) {
            return fail(offset + i, "'&' that does not start an entity");
        }
        const std::string_view entity = raw.substr(i + 1, semicolon - i - 1);
        static constexpr std::pair<std::string_view, char> kNamed[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [name, c] : kNamed) {
            if (entity == name) {
                out += c;
                i = semicolon;
                return true;
            }
        }
        if (entity.size() >= 2 && entity[0] == '#') {
            const bool hex = entity[1] == 'x';
            const std::string_view digits = entity.substr(hex ? 2 : 1);
            std::uint32_t value = 0;
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
            const bool whole =
                error == std::errc{} && end == digits.data() + digits.size() && !digits.empty();
            if (whole && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
                utf8::appendCodePoint(out, value);
                i = semicolon;
                return true;
            }
            return fail(offset + i, "bad character reference &" + std::string(entity) + ";");
        }
        return fail(offset + i, "unknown entity &" + std::string(entity) + ";");
    }

    // Reads the text of a value element up to and including its end tag.
    bool readLeafText(const StartTag& tag, std::string& text) {
        for (;;) {
            const std::size_t lt = in_.find('<', pos_);
            if (lt == std::string_view::npos) {
                return fail(tag.offset,
                            "unexpected end of file: <" + std::string(tag.name) + "> is not closed");
            }
            if (!decode(in_.substr(pos_, lt - pos_), pos_, false, text)) {
                return false;
            }
            pos_ = lt;
            if (startsWith("</")) {
                return readEndTag(tag.name);
            }
            if (startsWith("<!--")) {
                if (!skipPast("-->", "comment")) {
                    return false;
                }
            } else if (startsWith("<![CDATA[")) {
                pos_ += 9;
                const std::size_t start = pos_;
                if (!skipPast("]]>", "CDATA section")) {
                    return false;
                }
                // CDATA is taken literally, apart from line-end normalisation.
                std::string_view literal = in_.substr(start, pos_ - 3 - start);
                for (std::size_t i = 0; i < literal.size(); ++i) {
                    if (literal[i] == '\r') {
                        text += '\n';
                        if (i + 1 < literal.size() && literal[i + 1] == '\n') {
                            ++i;
                        }
                    } else {
                        text += literal[i];
                    }
                }
            } else {
                return fail(pos_, "<" + std::string(tag.name) + "> holds a value and cannot hold elements");
            }
        }
    }

    // ---- elements ----

    bool readElement(bool root) {
        if (!readStartTag(tag_)) {
            return false;
        }
        Record record;
        record.source = lines_.lineAt(tag_.offset);
        if (!classify(tag_, record)) {
            return false;
        }
        if (root && record.kind != RecordKind::Open) {
            return fail(tag_.offset, "the root must be an element that holds others, not a value");
        }
        if (record.kind == RecordKind::Open) {
            record.name = xml::storedName(tag_.name);
            if (const std::string* id = tag_.find("d:id")) {
                const auto value = parseId(*id);
                if (!value) {
                    return fail(tag_.offset, "d:id=\"" + *id + "\" is not a 32-bit integer");
                }
                record.id = *value;
            }
            if (tag_.selfClosing) {
                Record close = Record::close(record.name);
                close.source = record.source;
                document_.push_back(std::move(record));
                document_.push_back(std::move(close));
            } else {
                if (open_.size() == kMaxDepth) {
                    return fail(tag_.offset,
                                "elements nest more than " + std::to_string(kMaxDepth) + " levels deep");
                }
                open_.push_back(tag_.name);
                document_.push_back(std::move(record));
            }
            return true;
        }
        text_.clear();
        if (!tag_.selfClosing && !readLeafText(tag_, text_)) {
            return false;
        }
        if (!fillLeaf(record)) {
            return false;
        }
        document_.push_back(std::move(record));
        return true;
    }

    // Decides the kind of element from its name and attributes.
    bool classify(const StartTag& tag, Record& record) {
        if (tag.name == "d:nil") {
            record.kind = RecordKind::Nil;
            return true;
        }
        if (tag.name == "d:blob") {
            record.kind = RecordKind::Blob;
            return true;
        }
        if (const std::string* type = tag.find("d:type")) {
            if (*type == "ref") {
                record.kind = RecordKind::Reference;
                return true;
            }
            const auto named = valueTypeNamed(*type);
            if (!named) {
                return fail(tag.offset, "unknown type d:type=\"" + *type + "\"");
            }
            record.kind = RecordKind::Scalar;
            record.type = *named;
            return true;
        }
        const std::string* count = tag.find("d:numElements");
        const std::string* elementType = tag.find("d:elementType");
        if (count || elementType) {
            if (!count || !elementType) {
                return fail(tag.offset, "an array needs both d:numElements and d:elementType");
            }
            const auto named = valueTypeNamed(*elementType);
            if (!named) {
                return fail(tag.offset, "unknown type d:elementType=\"" + *elementType + "\"");
            }
            if (*named == ValueType::String) {
                return fail(tag.offset, "arrays of cDeltaString are not supported");
            }
            record.kind = RecordKind::Array;
            record.type = *named;
            return true;
        }
        record.kind = RecordKind::Open;
        return true;
    }

    // Fills a value record from the element's attributes and its text (in text_).
    bool fillLeaf(Record& record) {
        const StartTag& tag = tag_;
        if (record.kind != RecordKind::Nil && record.kind != RecordKind::Blob) {
            record.name = xml::storedName(tag.name);
        }
        switch (record.kind) {
        case RecordKind::Nil:
            if (!trimmed(text_).empty()) {
                return fail(tag.offset, "<d:nil> cannot hold text");
            }
            return true;
        case RecordKind::Reference: {
            const auto id = parseId(trimmed(text_));
            if (!id) {
                return fail(tag.offset, "'" + text_ + "' is not a reference (a 32-bit integer)");
            }
            record.id = *id;
            return true;
        }
        case RecordKind::Scalar:
            if (record.type == ValueType::String) {
                record.text = std::move(text_);
                text_ = std::string();
                return true;
            }
            if (const auto bits = parseValueText(record.type, trimmed(text_))) {
                record.bits = *bits;
                return true;
            }
            return fail(tag.offset, "'" + text_ + "' is not a valid " + std::string(nameOf(record.type)));
        case RecordKind::Array:
            return fillArray(tag, record);
        case RecordKind::Blob:
            return fillBlob(tag, record);
        default:
            return true;
        }
    }

    bool fillArray(const StartTag& tag, Record& record) {
        const std::string& countText = *tag.find("d:numElements");
        std::size_t count = 0;
        const auto [end, error] =
            std::from_chars(countText.data(), countText.data() + countText.size(), count);
        if (error != std::errc{} || end != countText.data() + countText.size() || countText.empty()) {
            return fail(tag.offset, "d:numElements=\"" + countText + "\" is not a count");
        }
        if (count > bin::kMaxArrayElements) {
            return fail(tag.offset, "array <" + std::string(tag.name) + "> has " + countText +
                                        " elements; the binary form holds at most 255");
        }
        record.elements.reserve(count);
        std::string_view rest = text_;
        for (;;) {
            rest = trimmed(rest);
            if (rest.empty()) {
                break;
            }
            std::size_t length = 0;
            while (length < rest.size() && !isSpace(rest[length])) {
                ++length;
            }
            const std::string_view item = rest.substr(0, length);
            rest.remove_prefix(length);
            if (record.elements.size() == count) {
                return fail(tag.offset, "array <" + std::string(tag.name) +
                                            "> has more values than d:numElements=\"" + countText + "\"");
            }
            const auto bits = parseValueText(record.type, item);
            if (!bits) {
                return fail(tag.offset,
                            "'" + std::string(item) + "' is not a valid " + std::string(nameOf(record.type)));
            }
            record.elements.push_back(*bits);
        }
        if (record.elements.size() != count) {
            return fail(tag.offset, "array <" + std::string(tag.name) + "> has " +
                                        std::to_string(record.elements.size()) +
                                        " values but d:numElements=\"" + countText + "\"");
        }
        return true;
    }

    bool fillBlob(const StartTag& tag, Record& record) {
        const std::string_view hex = trimmed(text_);
        if (hex.size() % 2 != 0) {
            return fail(tag.offset, "<d:blob> holds an odd number of hex digits");
        }
        record.text.reserve(hex.size() / 2);
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            const int high = hexValue(hex[i]);
            const int low = hexValue(hex[i + 1]);
            if (high < 0 || low < 0) {
                return fail(tag.offset, "<d:blob> holds a character that is not a hex digit");
            }
            record.text += static_cast<char>(high * 16 + low);
        }
        const std::string* size = tag.find("d:size");
        if (size && *size != std::to_string(record.text.size())) {
            return fail(tag.offset, "<d:blob> has d:size=\"" + *size + "\" but holds " +
                                        std::to_string(record.text.size()) + " bytes");
        }
        return true;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    LineCounter lines_;
    std::vector<std::string_view> open_;             // tag names of the open elements, as written
    StartTag tag_;                                   // reused for every tag
    std::unordered_set<std::string_view> manyNames_; // the attribute names of a tag that has many
    std::string text_;                               // reused for every value's text
    Document document_;
    Error error_;
};

} // namespace

Result<Document> readXml(std::string_view text) {
    return XmlParser(text).run();
}

} // namespace serz
