// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace dovrel {

// The help text of the Tips window: an empty first line, then each line ended by CR LF, then
// one more CR LF. Every command stands in a 21-character column and its description starts at
// the 22nd character.
std::string tipsText();

} // namespace dovrel
