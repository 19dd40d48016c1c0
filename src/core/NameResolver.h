// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The entries of a folder (files and folders, links included) in listing order. An unreadable
// or missing folder lists as empty.
std::vector<std::string> listFolderInOrder(const std::filesystem::path& folder);

// An entry of a folder and what it is, links followed: a folder, a regular file or neither.
struct ListedEntry {
    std::string name;
    bool folder = false;
    bool regularFile = false;
};

// The entries of a folder in listing order with their kinds, taken from the listing itself where it
// tells them (a link or an untyped entry is looked up). An unreadable or missing folder lists as
// empty.
std::vector<ListedEntry> listEntriesInOrder(const std::filesystem::path& folder);

// Finds a fixed name ("Content", "Assets", "ConsistTemplates.bin", ...) inside a folder: the
// exact spelling when that entry exists, else the first entry in listing order that matches
// ignoring ASCII case. Empty optional when none does.
std::optional<std::filesystem::path> resolveName(const std::filesystem::path& folder, std::string_view name);

// The path to use for a fixed name: the resolved entry when there is one, else the name as
// spelled, so that a file the program creates gets that spelling.
std::filesystem::path resolvedOrSpelled(const std::filesystem::path& folder, std::string_view name);

// Opens a game path written with "\" below a folder: every component resolved like a fixed name.
// Empty optional as soon as one component is missing.
std::optional<std::filesystem::path> resolveGamePath(const std::filesystem::path& base,
                                                     std::string_view backslashPath);

// Names that the folder walks leave out: holding "\", "|" or a control character, or not valid UTF-8.
bool isWalkableName(std::string_view name);

} // namespace dovrel
