// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharing/BoundedJson.h"

#include "core/TextRules.h"
#include "serz/Utf8.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace dovrel {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

// Thrown inside the reader only, caught by parseBoundedJson.
struct Refusal {
    std::string reason;
    std::size_t at;
};

class Reader {
public:
    Reader(std::string_view text, const JsonLimits& limits) : text_(text), limits_(limits) {}

    JsonValue document() {
        JsonValue value = readValue(0);
        skipSpace();
        if (at_ != text_.size()) {
            refuse("text after the end of the value");
        }
        return value;
    }

    std::size_t position() const { return at_; }

private:
    [[noreturn]] void refuse(std::string reason) const { throw Refusal{std::move(reason), at_}; }

    void skipSpace() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }

    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

    void expect(char c) {
        if (peek() != c) {
            refuse(at_ < text_.size() ? std::string("expected '") + c + "'" : "the text ends too early");
        }
        ++at_;
    }

    void expectWord(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) {
            refuse("unknown word");
        }
        at_ += word.size();
    }

    JsonValue readValue(std::size_t depth) {
        if (++values_ > limits_.values) {
            refuse("too many values");
        }
        skipSpace();
        switch (peek()) {
        case '{':
            return readObject(depth + 1);
        case '[':
            return readArray(depth + 1);
        case '"':
            return {readString()};
        case 't':
            expectWord("true");
            return {true};
        case 'f':
            expectWord("false");
            return {false};
        case 'n':
            expectWord("null");
            return {nullptr};
        case '\0':
            if (at_ >= text_.size()) {
                refuse("the text ends too early");
            }
            refuse("unexpected character");
        default:
            return {readNumber()};
        }
    }

    void enter(std::size_t depth) const {
        if (depth > limits_.depth) {
            refuse("nested too deeply");
        }
    }

    JsonValue readObject(std::size_t depth) {
        enter(depth);
        expect('{');
        JsonValue::Object members;
        skipSpace();
        if (peek() == '}') {
            ++at_;
            return {std::move(members)};
        }
        while (true) {
            skipSpace();
            if (peek() != '"') {
                refuse("expected a member name");
            }
            std::string name = readString();
            for (const std::string& earlier : members.names) {
                if (earlier == name) {
                    refuse("the member \"" + name + "\" is given twice");
                }
            }
            skipSpace();
            expect(':');
            JsonValue value = readValue(depth);
            members.names.push_back(std::move(name));
            members.values.push_back(std::move(value));
            skipSpace();
            if (peek() == ',') {
                ++at_;
                continue;
            }
            expect('}');
            return {std::move(members)};
        }
    }

    JsonValue readArray(std::size_t depth) {
        enter(depth);
        expect('[');
        JsonValue::Array items;
        skipSpace();
        if (peek() == ']') {
            ++at_;
            return {std::move(items)};
        }
        while (true) {
            items.push_back(readValue(depth));
            skipSpace();
            if (peek() == ',') {
                ++at_;
                continue;
            }
            expect(']');
            return {std::move(items)};
        }
    }

    unsigned readHex4() {
        if (text_.size() - at_ < 4) {
            refuse("the text ends too early");
        }
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::size_t digit = kHexDigits.find(asciiLower(text_[at_++]));
            if (digit == std::string_view::npos) {
                refuse("bad \\u escape");
            }
            value = value * 16 + static_cast<unsigned>(digit);
        }
        return value;
    }

    void readEscape(std::string& out) {
        if (at_ >= text_.size()) {
            refuse("the text ends too early");
        }
        const char c = text_[at_++];
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out.push_back(c);
            return;
        case 'b':
            out.push_back('\b');
            return;
        case 'f':
            out.push_back('\f');
            return;
        case 'n':
            out.push_back('\n');
            return;
        case 'r':
            out.push_back('\r');
            return;
        case 't':
            out.push_back('\t');
            return;
        case 'u':
            break;
        default:
            refuse("unknown escape");
        }
        std::uint32_t code = readHex4();
        if (code >= 0xDC00 && code <= 0xDFFF) {
            refuse("unpaired surrogate escape");
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (text_.substr(at_, 2) != "\\u") {
                refuse("unpaired surrogate escape");
            }
            at_ += 2;
            const std::uint32_t low = readHex4();
            if (low < 0xDC00 || low > 0xDFFF) {
                refuse("unpaired surrogate escape");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        serz::utf8::appendCodePoint(out, static_cast<char32_t>(code));
    }

    std::string readString() {
        expect('"');
        std::string out;
        while (true) {
            if (at_ >= text_.size()) {
                refuse("the text ends inside a string");
            }
            const char c = text_[at_++];
            if (c == '"') {
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                refuse("a control character inside a string");
            }
            if (c == '\\') {
                readEscape(out);
            } else {
                out.push_back(c);
            }
            if (out.size() > limits_.textBytes) {
                refuse("a string is too long");
            }
        }
    }

    double readNumber() {
        const std::size_t start = at_;
        if (peek() == '-') {
            ++at_;
        }
        const auto digits = [this] {
            const std::size_t from = at_;
            while (peek() >= '0' && peek() <= '9') {
                ++at_;
            }
            return at_ - from;
        };
        const std::size_t whole = digits();
        if (whole == 0 || (whole > 1 && text_[at_ - whole] == '0')) {
            at_ = start;
            refuse("unexpected character");
        }
        if (peek() == '.') {
            ++at_;
            if (digits() == 0) {
                refuse("bad number");
            }
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-') {
                ++at_;
            }
            if (digits() == 0) {
                refuse("bad number");
            }
        }
        double value = 0;
        const std::string_view number = text_.substr(start, at_ - start);
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
            at_ = start;
            refuse("a number out of range");
        }
        return value;
    }

    std::string_view text_;
    const JsonLimits& limits_;
    std::size_t at_ = 0;
    std::size_t values_ = 0;
};

std::size_t lineOf(std::string_view text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        line += text[i] == '\n' ? 1 : 0;
    }
    return line;
}

} // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
    if (const Object* members = object()) {
        for (std::size_t i = 0; i < members->names.size(); ++i) {
            if (members->names[i] == name) {
                return &members->values[i];
            }
        }
    }
    return nullptr;
}

JsonParse parseBoundedJson(std::string_view text, const JsonLimits& limits) {
    if (!isValidUtf8(text)) {
        return {std::nullopt, "the text is not UTF-8"};
    }
    Reader reader(text, limits);
    try {
        return {reader.document(), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, "line " + std::to_string(lineOf(text, refusal.at)) + ": " + refusal.reason};
    }
}

std::string utf8OrLatin1(std::string_view text) {
    if (isValidUtf8(text)) {
        return std::string(text);
    }
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

} // namespace dovrel
