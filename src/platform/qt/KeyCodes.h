// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel {

// The key numbers the program keeps in heldKeyCode: Ctrl 17, Shift 16, Alt 18, A-Z 65-90,
// 0-9 48-57, F1-F12 112-123, every other key 255. Takes a Qt::Key value.
int windowsKeyCode(int qtKey);

} // namespace dovrel
