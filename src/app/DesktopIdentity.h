// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel {

// What ties the editor's windows to its menu entry: the desktop entry's name without ".desktop"
// (a Wayland window's app id), and the window class an X11 window carries (WM_CLASS), which the
// entry names as StartupWMClass.
inline constexpr const char* kDesktopFileName = "org.dovrel.ConsistEditor";
inline constexpr const char* kWindowClass = "dovrel-consist-editor";

// Gives the running application its desktop entry, its window class and its icon: the icon theme's
// "org.dovrel.ConsistEditor" where the theme has it, else the icon built into the program. Called
// once the QApplication exists.
void joinDesktop();

} // namespace dovrel
