// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/FrontRequests.h"

#include "platform/qt/PathText.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace dovrel {

namespace {
constexpr char kRequest[] = "front\n";
// How long a second copy waits for the running one; a running copy answers at once.
constexpr int kConnectMs = 2000;
} // namespace

std::filesystem::path frontRequestSocket(const std::optional<std::string>& runtimeFolder,
                                         const std::filesystem::path& programFolder) {
    if (!runtimeFolder || runtimeFolder->empty()) {
        return programFolder / "dovrel-consist-editor.socket";
    }
    // One socket per program folder, as there is one running copy per program folder.
    const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(programFolder.native()),
                                                       QCryptographicHash::Sha256)
                                  .toHex()
                                  .left(16);
    return std::filesystem::path(*runtimeFolder) /
           ("dovrel-consist-editor-" + digest.toStdString() + ".socket");
}

FrontRequests::FrontRequests(const std::filesystem::path& socket, std::function<void()> comeToFront)
    : server_(new QLocalServer(this)), comeToFront_(std::move(comeToFront)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = pathToQString(socket);
    // The caller holds the program folder's lock, so no other copy listens here: a socket file
    // that is there was left by a copy that ended.
    if (!server_->listen(name) && server_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name);
        server_->listen(name);
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* caller = server_->nextPendingConnection()) {
            // A caller says nothing but its one request.
            connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
                caller->readAll();
                caller->disconnectFromServer();
                comeToFront_();
            });
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        }
    });
}

FrontRequests::~FrontRequests() {
    server_->close();
}

bool FrontRequests::listening() const {
    return server_->isListening();
}

bool askRunningCopyToFront(const std::filesystem::path& socket) {
    QLocalSocket caller;
    caller.connectToServer(pathToQString(socket));
    if (!caller.waitForConnected(kConnectMs)) {
        return false;
    }
    caller.write(kRequest);
    const bool sent = caller.waitForBytesWritten(kConnectMs);
    caller.disconnectFromServer();
    if (caller.state() != QLocalSocket::UnconnectedState) {
        caller.waitForDisconnected(kConnectMs);
    }
    return sent;
}

} // namespace dovrel
