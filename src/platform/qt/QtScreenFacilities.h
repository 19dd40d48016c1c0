// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBoxes.h"
#include "platform/ScreenFacilities.h"

#include <QString>

namespace dovrel {

// QMessageBox titled "Dovrel Consist Editor"; CR LF shown as a line break.
class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const std::string& text, MessageIcon icon, MessageButtons buttons) override;
};

// QFileDialog::getOpenFileName and getSaveFileName with the filter's description part.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<std::filesystem::path> openFile(const std::string& title,
                                                  const std::filesystem::path& folder,
                                                  const std::string& filter) override;
    std::optional<std::filesystem::path> saveFile(const std::string& title,
                                                  const std::filesystem::path& suggested,
                                                  const std::string& filter) override;
};

class QtWaitCursor final : public WaitCursor {
public:
    void show() override;
    void restore() override;
};

class QtPointer final : public Pointer {
public:
    void moveTo(int x, int y) override;
};

class QtFolderOpener final : public FolderOpener {
public:
    bool open(const std::filesystem::path& folder) override;
};

// The primary screen in real pixels: the size the platform reports, times the platform's own pixel
// ratio (a Wayland output's scale). Qt's device-independent size is the platform size divided by
// Qt's scale factor and rounded, which cannot tell 1023 pixels from 1024 at a factor of 2.
ScreenSize primaryScreenPixels();

// The primary screen's available area (the screen less panels and docks) in device-independent
// pixels, the unit of the window's own size.
ScreenSize primaryScreenAvailableArea();

// The point size of the desktop's ordinary font as the desktop's theme tells it (KDE's, GNOME's
// settings, Qt's 9-point default without one); 0 where no desktop tells a font, as on the offscreen
// and minimal platforms.
double desktopFontPoints();

// The Qt form of a filter written "Description|pattern": the description alone.
QString qtFileFilter(const std::string& filter);

} // namespace dovrel
