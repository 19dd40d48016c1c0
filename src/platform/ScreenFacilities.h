// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The on-screen facilities that are not widgets of the program's own windows.
namespace dovrel {

// The common file-open dialog. No path when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter in the form "Executable files (*.exe)|*.exe".
    virtual std::optional<std::filesystem::path>
    openFile(const std::string& title, const std::filesystem::path& folder, const std::string& filter) = 0;
    // A dialog that names a file to write, starting at `suggested` (a folder, or a folder and a file
    // name); an existing file chosen is to be replaced, as the user agreed in the dialog.
    virtual std::optional<std::filesystem::path>
    saveFile(const std::string& title, const std::filesystem::path& suggested, const std::string& filter) = 0;
};

// The busy cursor shown while a long operation runs.
class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void show() = 0;
    virtual void restore() = 0;
};

// The system's mouse pointer, moved to a point on the screen in pixels.
class Pointer {
public:
    virtual ~Pointer() = default;
    virtual void moveTo(int x, int y) = 0;
};

// Opens a folder in the desktop's file manager without waiting. False when that fails.
class FolderOpener {
public:
    virtual ~FolderOpener() = default;
    virtual bool open(const std::filesystem::path& folder) = 0;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// The message shown when a unit's folder cannot be opened.
std::string folderNotOpenedMessage(const std::filesystem::path& folder);

} // namespace dovrel
