// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Element text as the game's XML holds it. Folder names and consist names may hold "&", "<" and
// ">", which a document must carry as entities; the readers compare what the entities stand for.
namespace dovrel {

// "&", "<" and ">" written as entities; every other byte unchanged, so a text without them is
// written exactly as it stands.
std::string xmlEscapedText(std::string_view text);

// The five named entities and numeric character references (decimal or hexadecimal, as UTF-8)
// replaced by what they stand for. Anything else that starts with "&", such as an unknown or
// unterminated entity, stays as it is.
std::string xmlUnescapedText(std::string_view text);

} // namespace dovrel
