// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/XmlText.h"

#include "serz/Utf8.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace dovrel {

namespace {

constexpr std::array<std::pair<std::string_view, char>, 5> kNamedEntities = {{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
}};

// Appends what the entity body (the text between "&" and ";") stands for; false when it is none.
bool appendEntity(std::string& out, std::string_view body) {
    for (const auto& [name, character] : kNamedEntities) {
        if (body == name) {
            out.push_back(character);
            return true;
        }
    }
    if (body.size() < 2 || body[0] != '#') {
        return false;
    }
    const bool hexadecimal = body[1] == 'x' || body[1] == 'X';
    const std::string_view digits = body.substr(hexadecimal ? 2 : 1);
    std::uint32_t code = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hexadecimal ? 16 : 10);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || code == 0 ||
        code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return false;
    }
    serz::utf8::appendCodePoint(out, static_cast<char32_t>(code));
    return true;
}

} // namespace

std::string xmlEscapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string xmlUnescapedText(std::string_view text) {
    // The longest entity body worth looking at: "#x10FFFF" and "#1114111" are shorter.
    constexpr std::size_t kLongestBody = 10;
    // Most texts hold no entity at all.
    if (text.find('&') == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '&') {
            // The ";" is looked for only as far as an entity can reach, so that a text of many "&"
            // without a ";" is still read in time linear in its length.
            const std::size_t body = text.substr(i + 1, kLongestBody + 1).find(';');
            if (body != std::string_view::npos && appendEntity(out, text.substr(i + 1, body))) {
                i += body + 2;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

} // namespace dovrel
