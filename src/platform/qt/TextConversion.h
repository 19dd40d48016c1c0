// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dovrel {

// How bytes from the game's files are shown: as UTF-8 when the whole text is valid UTF-8, else as
// Windows-1252.
QString displayText(std::string_view bytes);

// What the user typed, as the bytes the program stores (UTF-8).
std::string typedText(const QString& text);

} // namespace dovrel
