// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QLocalServer;

namespace dovrel {

// Where the copy running from a program folder listens for a second copy: a local socket in
// $XDG_RUNTIME_DIR named for the program folder, or "dovrel-consist-editor.socket" in the program
// folder itself when $XDG_RUNTIME_DIR is unset or empty.
std::filesystem::path frontRequestSocket(const std::optional<std::string>& runtimeFolder,
                                         const std::filesystem::path& programFolder);

// The running copy's side: while it lives, each second copy that connects asks that the window
// come to the front. A socket file that a copy left behind when it ended is replaced; a socket that
// cannot be made leaves the running copy deaf to such requests, never an error.
class FrontRequests final : public QObject {
public:
    FrontRequests(const std::filesystem::path& socket, std::function<void()> comeToFront);
    ~FrontRequests() override;
    FrontRequests(const FrontRequests&) = delete;
    FrontRequests& operator=(const FrontRequests&) = delete;

    bool listening() const;

private:
    QLocalServer* server_;
    std::function<void()> comeToFront_;
};

// The second copy's side: asks the copy listening at the socket to come to the front. False when no
// copy answers there (no socket, or one left behind by a copy that ended).
bool askRunningCopyToFront(const std::filesystem::path& socket);

} // namespace dovrel
