// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The shareable consist file's extension and the one format version this program writes.
inline constexpr std::string_view kSharedConsistExtension = ".dovrel-consist";
inline constexpr std::string_view kSharedConsistFormat = "dovrel-consist";
inline constexpr int kSharedConsistVersion = 1;
// Larger files are refused before they are read: a consist line of 5001 units is far smaller.
inline constexpr std::uintmax_t kSharedConsistMaxBytes = 8u * 1024u * 1024u;
// Every name and path in the file is refused beyond this length.
inline constexpr std::size_t kSharedTextMaxBytes = 1024;

// A unit as the game names it, so that another installation finds its own copy: the provider and
// product folders and the blueprint path below them, as the catalogue holds them. The class and
// couplers are kept so that a missing unit can be offered stand-ins.
struct SharedUnit {
    std::string provider;
    std::string product;
    std::string blueprint;
    std::string name;
    bool reversed = false;
    std::string unitClass;
    std::string frontCoupler;
    std::string rearCoupler;
    bool operator==(const SharedUnit&) const = default;
};

struct SharedConsist {
    std::string name;
    std::vector<SharedUnit> units;
    bool operator==(const SharedConsist&) const = default;
};

// A consist file read: the consist, or why it was refused (one line, no file name).
struct SharedConsistRead {
    std::optional<SharedConsist> consist;
    std::string error;
};

// The consist of a consist line: its units' record texts each followed by "|" and the heading flag.
SharedConsist sharedConsistOf(std::string_view name, const std::vector<std::string>& units);

// The file's text: UTF-8 JSON with "format", "version", "name" and "units", each unit with
// "provider", "product", "blueprint", "name", "heading" ("forward" or "reversed"), "class",
// "frontCoupler" and "rearCoupler". A text that is not UTF-8 is written with each byte as the
// Latin-1 letter of its value.
std::string sharedConsistText(const SharedConsist& consist);

// Reads a file's text. Members the reader does not know are ignored (a newer version may add some);
// a missing or mistyped member the reader needs, a name or path with a control character or longer
// than kSharedTextMaxBytes, no units or more than a consist line holds, refuse the file.
SharedConsistRead readSharedConsist(std::string_view text);

// Reads the file at the path: one larger than kSharedConsistMaxBytes is refused unread.
SharedConsistRead readSharedConsistFile(const std::filesystem::path& file);

} // namespace dovrel
