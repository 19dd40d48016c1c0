// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmlDecoder.h"

#include "LineEnds.h"
#include "Utf8Stream.h"
#include "XmlText.h"
#include "serz/BinFormat.h"
#include "serz/Utf8.h"
#include "serz/ValueText.h"

#include <algorithm>
#include <charconv>
#include <string>
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

// A start tag. Its attributes are kept between tags, so that their values keep their storage.
struct StartTag {
    std::string_view name; // as written in the XML
    std::size_t offset = 0;
    bool selfClosing = false;
    std::vector<Attribute> attributes;
    std::size_t count = 0; // attributes of this tag: the first `count`

    const std::string* find(std::string_view attribute) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (attributes[i].name == attribute) {
                return &attributes[i].value;
            }
        }
        return nullptr;
    }

    Attribute& next() {
        if (count == attributes.size()) {
            attributes.emplace_back();
        }
        Attribute& attribute = attributes[count];
        attribute.value.clear();
        return attribute;
    }
};

// Where the reader is in the document.
enum class Stage { BeforeRoot, InsideRoot, AfterRoot };

} // namespace

class XmlDecoder::Parser {
public:
    explicit Parser(RecordSink& sink) : sink_(sink) {}

    bool feed(std::string_view text) {
        if (settled_) {
            return false;
        }
        if (!utf8_.check(text, false)) {
            return settleOnUtf8();
        }
        if (failed_) {
            return true; // the rest is still checked for invalid UTF-8
        }
        if (pending_.empty()) {
            parse(text);
            return true;
        }
        pending_.append(text);
        if (pending_.size() >= retryAt_) {
            const std::string current = std::move(pending_);
            pending_.clear();
            parse(current);
        }
        return true;
    }

    bool finish() {
        if (settled_) {
            return false;
        }
        if (!utf8_.check({}, true)) {
            return settleOnUtf8();
        }
        if (failed_) {
            return false;
        }
        final_ = true;
        const std::string current = std::move(pending_);
        pending_.clear();
        parse(current);
        return !failed_;
    }

    const Error& error() const { return error_; }

private:
    bool settleOnUtf8() {
        error_ = Error{"the file is not valid UTF-8", utf8_.errorLine()};
        settled_ = true;
        return false;
    }

    // ---- the text at hand ----

    // Reads every whole unit of the text (a tag with its value, an end tag, a comment); a unit the
    // end of the text cuts short waits in pending_ for more.
    void parse(std::string_view text) {
        in_ = text;
        pos_ = 0;
        countedTo_ = 0;
        countedLines_ = lineAtBase_;
        for (;;) {
            const std::size_t start = pos_;
            hitEnd_ = false;
            if (!readUnit()) {
                if (!hitEnd_ || final_) {
                    failed_ = true;
                    return;
                }
                pos_ = start; // read again once more text is at hand
                break;
            }
            if (stage_ == Stage::AfterRoot && pos_ >= in_.size()) {
                break;
            }
        }
        lineAtBase_ = lineAt(pos_);
        base_ += pos_;
        pending_.assign(in_.substr(pos_));
        retryAt_ = 2 * pending_.size();
        in_ = {};
        pos_ = 0;
    }

    bool readUnit() {
        switch (stage_) {
        case Stage::BeforeRoot:
            return readRoot();
        case Stage::InsideRoot:
            if (!readContent()) {
                return false;
            }
            if (depth_ == 0) {
                stage_ = Stage::AfterRoot;
            }
            return true;
        case Stage::AfterRoot:
            if (!skipMisc()) {
                return false;
            }
            if (!atEnd()) {
                return fail(pos_, "content after the end of the root element");
            }
            return true;
        }
        return false;
    }

    // ---- errors and positions ----

    // The line of an offset into the text at hand, counted on from the last one asked for.
    std::size_t lineAt(std::size_t offset) {
        offset = std::min(offset, in_.size());
        if (offset < countedTo_) {
            countedTo_ = 0;
            countedLines_ = lineAtBase_;
        }
        countedLines_ += countLineEnds(in_.substr(countedTo_, offset - countedTo_));
        countedTo_ = offset;
        return countedLines_;
    }

    bool fail(std::size_t offset, std::string message) {
        error_ = Error{std::move(message), lineAt(offset)};
        return false;
    }

    bool atEnd() {
        if (pos_ >= in_.size()) {
            hitEnd_ = true;
            return true;
        }
        return false;
    }

    bool startsWith(std::string_view prefix) {
        if (in_.size() - pos_ < prefix.size()) {
            hitEnd_ = true;
        }
        return in_.substr(pos_, prefix.size()) == prefix;
    }

    std::size_t find(char c, std::size_t from) {
        const std::size_t found = in_.find(c, from);
        hitEnd_ = hitEnd_ || found == std::string_view::npos;
        return found;
    }

    void skipSpace() {
        while (pos_ < in_.size() && isSpace(in_[pos_])) {
            ++pos_;
        }
        hitEnd_ = hitEnd_ || pos_ == in_.size();
    }

    // Moves past `terminator`, which must come before the end.
    bool skipPast(std::string_view terminator, std::string_view what) {
        const std::size_t start = pos_;
        const std::size_t found = in_.find(terminator, pos_);
        if (found == std::string_view::npos) {
            hitEnd_ = true;
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

    bool readRoot() {
        if (base_ == 0 && startsWith("\xEF\xBB\xBF")) {
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
        stage_ = depth_ == 0 ? Stage::AfterRoot : Stage::InsideRoot;
        return true;
    }

    // Reads what comes next inside an open element: white space, a comment, a child or its end.
    bool readContent() {
        skipSpace();
        if (atEnd()) {
            return fail(pos_, "unexpected end of file: <" + open_[depth_ - 1] + "> is not closed");
        }
        if (in_[pos_] != '<') {
            return fail(pos_, "text inside <" + open_[depth_ - 1] + ">, which holds elements");
        }
        if (startsWith("<!--")) {
            return skipPast("-->", "comment");
        }
        if (startsWith("<?")) {
            return skipPast("?>", "processing instruction");
        }
        if (startsWith("<!")) {
            return fail(pos_, "unexpected markup inside <" + open_[depth_ - 1] + ">");
        }
        if (startsWith("</")) {
            const std::size_t at = pos_;
            if (!readEndTag(open_[depth_ - 1])) {
                return false;
            }
            RecordView close;
            close.kind = RecordKind::Close;
            xml::storeName(name_, open_[depth_ - 1]);
            close.name = name_;
            close.source = lineAt(at);
            --depth_;
            sink_.put(close);
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
        hitEnd_ = hitEnd_ || pos_ == in_.size();
        if (pos_ == start) {
            return fail(start, "expected a name");
        }
        name = in_.substr(start, pos_ - start);
        return true;
    }

    bool readStartTag(StartTag& tag) {
        tag.offset = pos_;
        tag.count = 0;
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
        Attribute& attribute = tag.next();
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
        const std::size_t end = find(quote, pos_);
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
        ++tag.count;
        return true;
    }

    // Whether the tag already has an attribute of this name. A tag has a few attributes, searched
    // in place; past kFewAttributes their names go into a set, so that a tag with thousands of
    // attributes is still read in linear time.
    bool repeats(const StartTag& tag, std::string_view name) {
        static constexpr std::size_t kFewAttributes = 16;
        if (tag.count < kFewAttributes) {
            return tag.find(name) != nullptr;
        }
        if (manyNames_.empty()) {
            for (std::size_t i = 0; i < tag.count; ++i) {
                manyNames_.insert(tag.attributes[i].name);
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
            const std::size_t lt = find('<', pos_);
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
        RecordView record;
        if (!classify(tag_, record)) {
            return false;
        }
        if (root && record.kind != RecordKind::Open) {
            return fail(tag_.offset, "the root must be an element that holds others, not a value");
        }
        if (record.kind == RecordKind::Open) {
            if (const std::string* id = tag_.find("d:id")) {
                const auto value = parseId(*id);
                if (!value) {
                    return fail(tag_.offset, "d:id=\"" + *id + "\" is not a 32-bit integer");
                }
                record.id = *value;
            }
            if (!tag_.selfClosing && depth_ == kMaxDepth) {
                return fail(tag_.offset,
                            "elements nest more than " + std::to_string(kMaxDepth) + " levels deep");
            }
            xml::storeName(name_, tag_.name);
            record.name = name_;
            record.source = lineAt(tag_.offset);
            sink_.put(record);
            if (tag_.selfClosing) {
                RecordView close;
                close.kind = RecordKind::Close;
                close.name = name_;
                close.source = record.source;
                sink_.put(close);
            } else {
                if (open_.size() == depth_) {
                    open_.emplace_back();
                }
                open_[depth_++].assign(tag_.name);
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
        record.source = lineAt(tag_.offset);
        sink_.put(record);
        return true;
    }

    // Decides the kind of element from its name and attributes.
    bool classify(const StartTag& tag, RecordView& record) {
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
    bool fillLeaf(RecordView& record) {
        const StartTag& tag = tag_;
        if (record.kind != RecordKind::Nil && record.kind != RecordKind::Blob) {
            xml::storeName(name_, tag.name);
            record.name = name_;
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
                record.text = text_;
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

    bool fillArray(const StartTag& tag, RecordView& record) {
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
        elements_.clear();
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
            if (elements_.size() == count) {
                return fail(tag.offset, "array <" + std::string(tag.name) +
                                            "> has more values than d:numElements=\"" + countText + "\"");
            }
            const auto bits = parseValueText(record.type, item);
            if (!bits) {
                return fail(tag.offset,
                            "'" + std::string(item) + "' is not a valid " + std::string(nameOf(record.type)));
            }
            elements_.push_back(*bits);
        }
        if (elements_.size() != count) {
            return fail(tag.offset, "array <" + std::string(tag.name) + "> has " +
                                        std::to_string(elements_.size()) + " values but d:numElements=\"" +
                                        countText + "\"");
        }
        record.elements = elements_;
        return true;
    }

    bool fillBlob(const StartTag& tag, RecordView& record) {
        const std::string_view hex = trimmed(text_);
        if (hex.size() % 2 != 0) {
            return fail(tag.offset, "<d:blob> holds an odd number of hex digits");
        }
        blob_.clear();
        blob_.reserve(hex.size() / 2);
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            const int high = hexValue(hex[i]);
            const int low = hexValue(hex[i + 1]);
            if (high < 0 || low < 0) {
                return fail(tag.offset, "<d:blob> holds a character that is not a hex digit");
            }
            blob_ += static_cast<char>(high * 16 + low);
        }
        const std::string* size = tag.find("d:size");
        if (size && *size != std::to_string(blob_.size())) {
            return fail(tag.offset, "<d:blob> has d:size=\"" + *size + "\" but holds " +
                                        std::to_string(blob_.size()) + " bytes");
        }
        record.text = blob_;
        return true;
    }

    RecordSink& sink_;
    Utf8Stream utf8_;
    std::string_view in_;          // the text at hand
    std::size_t pos_ = 0;          // the reader's place in in_
    std::size_t base_ = 0;         // the file offset of in_'s first byte
    std::size_t lineAtBase_ = 1;   // the line of in_'s first byte
    std::size_t countedTo_ = 0;    // lineAt's place in in_
    std::size_t countedLines_ = 1; // the line at countedTo_
    std::string pending_;          // text fed but not read yet: a unit cut short
    std::size_t retryAt_ = 0;      // pending_ is read again once it holds this many bytes
    Stage stage_ = Stage::BeforeRoot;
    bool final_ = false;   // no text follows the text at hand
    bool hitEnd_ = false;  // the unit being read looked at the end of the text at hand
    bool failed_ = false;  // the file is bad; error_ says why, unless invalid UTF-8 follows
    bool settled_ = false; // the file is bad with invalid UTF-8, or finish() has been called
    // Tag names of the open elements as written, innermost at depth_ - 1; entries past depth_ are
    // kept only to reuse their storage.
    std::vector<std::string> open_;
    std::size_t depth_ = 0;
    StartTag tag_;                                   // reused for every tag
    std::unordered_set<std::string_view> manyNames_; // the attribute names of a tag that has many
    std::string name_;                               // the stored name of the record being handed over
    std::string text_;                               // reused for every value's text
    std::string blob_;                               // the bytes of a blob
    std::vector<std::uint64_t> elements_;
    Error error_;
};

XmlDecoder::XmlDecoder(RecordSink& sink) : parser_(std::make_unique<Parser>(sink)) {}
XmlDecoder::~XmlDecoder() = default;

bool XmlDecoder::feed(std::string_view text) {
    return parser_->feed(text);
}

bool XmlDecoder::finish() {
    return parser_->finish();
}

const Error& XmlDecoder::error() const {
    return parser_->error();
}

} // namespace serz
