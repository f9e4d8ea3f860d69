#include "shell/InstanceGuard.h"

#include <QApplication>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>

#include "platform/InstanceRegistry.h"

namespace corvane {

namespace {
const QByteArray ActivateRequest = "activate\n";
// Room for the folder and name of a local socket (the system allows 107 bytes).
constexpr int MaxSocketPath = 100;
}  // namespace

TInstanceGuard::TInstanceGuard(const std::string& baseName, QObject* parent)
    : QObject(parent), FServerName(ServerName(baseName)) {
    try {
        FRegistry = std::make_unique<TInstanceRegistry>(baseName);
        FSecond = FRegistry->PreviousCount() > 0;
    } catch (const std::exception&) {
        FRegistry.reset();  // no guard: start-up goes on
        return;
    }
    if (!FSecond) Listen();
}

TInstanceGuard::~TInstanceGuard() {
    if (FServer) FServer->close();
}

QString TInstanceGuard::ServerName(const std::string& baseName) {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString name = QString::fromStdString(baseName) + "_Msg";
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::tempPath();
        name += QString("_%1").arg(getuid());
    }
    if (folder.size() + 1 + name.size() > MaxSocketPath) {
        const QByteArray hash =
            QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(24);
        name = "corvane-" + QString::fromLatin1(hash);
    }
    return folder + "/" + name;
}

void TInstanceGuard::Listen() {
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!FServer->listen(FServerName)) {
        // A socket left behind by an instance that died: this process is the only registered
        // one, so the old socket is nobody's.
        QLocalServer::removeServer(FServerName);
        if (!FServer->listen(FServerName)) {
            delete FServer;
            FServer = nullptr;
            return;
        }
    }
    connect(FServer, &QLocalServer::newConnection, this, &TInstanceGuard::ServeConnection);
}

void TInstanceGuard::ServeConnection() {
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto serve = [this, socket] {
            if (!socket->canReadLine()) return;
            if (socket->readLine() != ActivateRequest) return;
            if (OnActivateRequest)
                OnActivateRequest();
            else
                RaiseApplicationWindow();
        };
        connect(socket, &QLocalSocket::readyRead, this, serve);
        serve();  // what arrived before the connection was taken
    }
}

bool TInstanceGuard::ActivateFirstInstance(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(FServerName);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(ActivateRequest);
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return written;
}

void TInstanceGuard::RaiseApplicationWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup) continue;
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        window->activateWindow();
        return;
    }
}

}  // namespace corvane
