// SPDX-License-Identifier: GPL-3.0-or-later
#include "XmlText.h"

namespace serz::xml {
namespace {

// Replacement text for a byte that needs escaping, or an empty view.
std::string_view entityFor(unsigned char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&apos;";
    default:
        return {};
    }
}

bool needsEscape(unsigned char c) {
    return c < 0x20 || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'';
}

bool fitsInTag(unsigned char c) {
    return c > 0x20 && c != '<' && c != '>' && c != '&' && c != '"' && c != '\'' && c != '/' && c != '=';
}

// Appends `text` with every `from` in it written as `to`.
void appendReplacing(std::string& out, std::string_view text, std::string_view from, std::string_view to) {
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != std::string_view::npos;
         found = text.find(from, start)) {
        out.append(text, start, found - start);
        out += to;
        start = found + from.size();
    }
    out.append(text, start);
}

} // namespace

void appendEscaped(std::string& out, std::string_view text) {
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!needsEscape(c)) {
            continue;
        }
        out.append(text, runStart, i - runStart);
        const std::string_view entity = entityFor(c);
        if (!entity.empty()) {
            out += entity;
        } else {
            out += "&#";
            if (c >= 10) {
                out += static_cast<char>('0' + c / 10);
            }
            out += static_cast<char>('0' + c % 10);
            out += ';';
        }
        runStart = i + 1;
    }
    out.append(text, runStart, text.size() - runStart);
}

bool appendElementName(std::string& out, std::string_view name) {
    if (name.empty()) {
        out += 'e';
        return true;
    }
    // The reader takes these tags for a nil or a blob, whatever their attributes, and a tag that
    // starts with "<!" or "<?" for markup.
    if (name == "d:nil" || name == "d:blob" || name.front() == '!' || name.front() == '?') {
        return false;
    }
    for (const char c : name) {
        if (!fitsInTag(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    appendReplacing(out, name, "::", "-");
    return true;
}

void storeName(std::string& name, std::string_view xmlName) {
    name.clear();
    appendReplacing(name, xmlName, "-", "::");
}

} // namespace serz::xml
