// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextRules.h"

#include "serz/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_set>

namespace dovrel {

namespace {
constexpr std::string_view kCrLf = "\r\n";
}

std::vector<std::string> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
}

namespace {

// The text with its trailing CR LF pairs removed and every CR CR LF deleted: the text itself when
// there is nothing to delete inside it, else the cleaned copy in `storage`.
std::string_view cleanXmlText(std::string_view text, std::string& storage) {
    while (text.ends_with(kCrLf)) {
        text.remove_suffix(kCrLf.size());
    }
    if (text.find("\r\r\n") == std::string_view::npos) {
        return text;
    }
    storage.clear();
    storage.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\r\r\n") == 0) {
            i += 2;
            continue;
        }
        storage.push_back(text[i]);
    }
    return storage;
}

} // namespace

std::vector<std::string> splitXmlLines(std::string_view text) {
    std::string storage;
    return splitAt(cleanXmlText(text, storage), kCrLf);
}

std::vector<std::string_view> xmlLineViews(std::string_view text, std::string& storage) {
    const std::string_view cleaned = cleanXmlText(text, storage);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = cleaned.find(kCrLf, start);
        if (found == std::string_view::npos) {
            lines.push_back(cleaned.substr(start));
            return lines;
        }
        lines.push_back(cleaned.substr(start, found - start));
        start = found + kCrLf.size();
    }
}

std::vector<std::string> splitCacheLines(std::string_view text) {
    if (text.ends_with(kCrLf)) {
        text.remove_suffix(kCrLf.size());
    }
    if (text.empty()) {
        return {};
    }
    return splitAt(text, kCrLf);
}

std::string_view trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = asciiLower(c);
    }
    return lower;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) {
        return true;
    }
    if (needle.size() > haystack.size()) {
        return false;
    }
    // The scans look for markup such as "<Name ": a first byte without case is found with memchr,
    // which passes over most of a line at once.
    const char first = needle.front();
    const bool firstHasCase = asciiLower(first) != asciiUpper(first);
    const std::string_view rest = needle.substr(1);
    const std::size_t lastStart = haystack.size() - needle.size();
    for (std::size_t i = 0; i <= lastStart; ++i) {
        if (firstHasCase) {
            if (asciiLower(haystack[i]) != asciiLower(first)) {
                continue;
            }
        } else {
            const void* found = std::memchr(haystack.data() + i, first, lastStart - i + 1);
            if (found == nullptr) {
                return false;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(found) - haystack.data());
        }
        if (equalsIgnoringCase(haystack.substr(i + 1, rest.size()), rest)) {
            return true;
        }
    }
    return false;
}

std::optional<std::string_view> cutValue(std::string_view line) {
    const std::size_t open = line.find('>');
    const std::size_t close = line.rfind('<');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return std::nullopt;
    }
    return line.substr(open + 1, close - open - 1);
}

std::optional<std::string_view> cutIdentifier(std::string_view line) {
    const std::size_t first = line.find('"');
    const std::size_t last = line.rfind('"');
    if (first == std::string_view::npos || first == last) {
        return std::nullopt;
    }
    return line.substr(first + 1, last - first - 1);
}

bool listHolds(std::string_view list, std::string_view entry, char separator) {
    if (list.empty()) {
        return false;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = list.find(separator, start);
        const std::string_view current =
            list.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (current == entry) {
            return true;
        }
        if (end == std::string_view::npos) {
            return false;
        }
        start = end + 1;
    }
}

void appendDistinct(std::string& list, std::string_view entry, char separator) {
    if (listHolds(list, entry, separator)) {
        return;
    }
    if (!list.empty()) {
        list.push_back(separator);
    }
    list.append(entry);
}

std::string makeDistinct(std::string_view list, char separator) {
    std::string distinct;
    if (list.empty()) {
        return distinct;
    }
    // The entries kept so far, looked up in constant time so that a long list is made distinct in
    // linear time; they are views into the list, which outlives them. As for listHolds, a list that
    // is still the empty text holds nothing.
    std::unordered_set<std::string_view> kept;
    bool first = true;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(list.find(separator, start), list.size());
        const std::string_view entry = list.substr(start, end - start);
        if (first) {
            distinct = entry;
            first = false;
        } else if (distinct.empty() || !kept.contains(entry)) {
            distinct.push_back(separator);
            distinct.append(entry);
        }
        kept.insert(entry);
        if (end == list.size()) {
            return distinct;
        }
        start = end + 1;
    }
}

bool isValidUtf8(std::string_view text) {
    return serz::utf8::firstInvalid(text) == std::string_view::npos;
}

namespace {
constexpr std::string_view kJsonHexDigits = "0123456789abcdef";
} // namespace

void appendJsonQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    std::size_t plain = 0; // the start of the run of bytes that need no escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\' && byte != 0x7F) {
            continue;
        }
        out.append(text.substr(plain, i - plain));
        plain = i + 1;
        if (byte == '"' || byte == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(byte));
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\t') {
            out += "\\t";
        } else {
            out += "\\u00";
            out.push_back(kJsonHexDigits[byte >> 4]);
            out.push_back(kJsonHexDigits[byte & 0xF]);
        }
    }
    out.append(text.substr(plain));
    out.push_back('"');
}

std::string jsonQuoted(std::string_view text) {
    std::string out;
    appendJsonQuoted(out, text);
    return out;
}

} // namespace dovrel
