// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The library folders that Steam's steamapps/libraryfolders.vdf lists, in the file's order. The
// file is KeyValues text: quoted keys and values ("\\" and "\"" escaped), nested braces, "//"
// comments. Under its root "libraryfolders" each library is a block holding a "path" value, or,
// in the older layout, a numbered key whose value is the path itself. A file that is not such
// text (an unclosed quote or brace, a bare word, a missing value) lists no library at all.
std::vector<std::string> libraryPathsFromVdf(std::string_view text);

} // namespace dovrel
