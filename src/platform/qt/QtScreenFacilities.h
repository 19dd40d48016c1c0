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

// QFileDialog::getOpenFileName with the filter's description part.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<std::filesystem::path> openFile(const std::string& title,
                                                  const std::filesystem::path& folder,
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

ScreenSize primaryScreenSize();

// The Qt form of a filter written "Description|pattern": the description alone.
QString qtFileFilter(const std::string& filter);

} // namespace dovrel
