// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text rules shared by every reader of the game's XML and of the program's own text files.
// Everything works on bytes; "ignoring case" folds ASCII letters only.
namespace dovrel {

// XML files: all trailing CR LF pairs removed, every CR CR LF deleted, then split at CR LF.
std::vector<std::string> splitXmlLines(std::string_view text);

// The same lines as views, without copying each: into the text itself when it holds no CR CR LF,
// else into `storage`, which then keeps the cleaned text. The views last as long as both.
std::vector<std::string_view> xmlLineViews(std::string_view text, std::string& storage);

// The catalogue cache: one trailing CR LF removed (no CR CR LF deletion), then split at CR LF.
// An empty text gives no lines at all.
std::vector<std::string> splitCacheLines(std::string_view text);

// Splits at every occurrence of the separator; an empty text gives one empty entry.
std::vector<std::string> splitAt(std::string_view text, std::string_view separator);

// Leading and trailing spaces removed; tabs and other white space stay.
std::string_view trimSpaces(std::string_view text);

inline char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string asciiLower(std::string_view text);

// The 64-bit FNV-1a digest of a text's bytes, each in ASCII lower case when the case is ignored.
inline std::uint64_t fnv1aDigest(std::string_view text, bool caseIgnored = false) {
    std::uint64_t digest = 14695981039346656037ULL;
    for (const char c : text) {
        digest ^= static_cast<unsigned char>(caseIgnored ? asciiLower(c) : c);
        digest *= 1099511628211ULL;
    }
    return digest;
}
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool containsIgnoringCase(std::string_view haystack, std::string_view needle);

// The value of a one-line element: the text between the line's first ">" and its last "<".
// Empty optional when there is no ">" or "<", or the last "<" stands before the first ">".
std::optional<std::string_view> cutValue(std::string_view line);

// The identifier of an opening line: the text between its first and last double quote.
// Empty optional with fewer than two double quotes.
std::optional<std::string_view> cutIdentifier(std::string_view line);

// "|"-lists (or ":"-lists): an entry is added only when the list does not yet hold exactly that
// entry, compared whole and with case.
bool listHolds(std::string_view list, std::string_view entry, char separator = '|');
void appendDistinct(std::string& list, std::string_view entry, char separator = '|');
std::string makeDistinct(std::string_view list, char separator = '|');

bool isValidUtf8(std::string_view text);

// The text as a JSON string literal: quotes, backslashes and control characters escaped, other
// bytes unchanged.
std::string jsonQuoted(std::string_view text);
// The same, appended to out.
void appendJsonQuoted(std::string& out, std::string_view text);

} // namespace dovrel
