// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageFileHandover.h"

#include "app/InstanceLock.h"
#include "app/MainForm.h"
#include "app/StageImport.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

namespace {

// A request is one path and a line end; anything longer is no path of ours.
constexpr qint64 MaxRequestBytes = 16 * 1024;
// A client that connects and then says nothing is dropped after this.
constexpr int RequestTimeoutMs = 5000;
constexpr char Receipt[] = "ok\n";

} // namespace

QString StageFileHandover::ServerName()
{
    QString name = InstanceLock::FilePath();
    name.chop(int(qstrlen(".lock")));
    return name + QStringLiteral(".socket");
}

bool StageFileHandover::HandOver(const QString& path, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // As a file URL: any character of a path, a line break included, travels
    // on one line.
    socket.write(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < qint64(qstrlen(Receipt))) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readAll() == Receipt;
}

bool StageFileHandover::ImportHandedStageFiles()
{
    auto* receiver = new StageFileReceiver(QCoreApplication::instance());
    if (!receiver->Listen()) {
        delete receiver;
        return false;
    }
    QObject::connect(receiver, &StageFileReceiver::FileReceived, receiver, [](const QString& path) {
        MainForm* form = MainForm::Instance();
        if (form) {
            form->raise();
            form->activateWindow();
        }
        ImportStageFile(path, form);
    });
    return true;
}

StageFileReceiver::StageFileReceiver(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &StageFileReceiver::Accept);
}

bool StageFileReceiver::Listen()
{
    const QString name = StageFileHandover::ServerName();
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void StageFileReceiver::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        QTimer::singleShot(RequestTimeoutMs, socket, [socket] { socket->abort(); });
    }
}

void StageFileReceiver::ReadRequest(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxRequestBytes)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(MaxRequestBytes).trimmed();
    socket->write(Receipt);
    socket->disconnectFromServer();
    const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    if (!path.isEmpty())
        emit FileReceived(path);
}
