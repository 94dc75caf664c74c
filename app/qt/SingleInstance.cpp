#include "app/qt/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

const QByteArray kRaise = "raise\n";
constexpr int kConnectTimeout = 5000;  // milliseconds: the first instance may still be starting

}  // namespace

TSingleInstance::TSingleInstance(std::string folder, QObject* parent) : QObject(parent), Lock_(std::move(folder)) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Register()
{
    if (!Lock_.TryAcquire())
        return false;
    const QString path = QString::fromStdString(Lock_.SocketPath());
    // A socket file left by a process that died is stale: the lock says nobody listens.
    QLocalServer::removeServer(path);
    Server_ = new QLocalServer(this);
    Server_->setSocketOptions(QLocalServer::UserAccessOption);
    Server_->listen(path);
    connect(Server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = Server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().contains(kRaise.trimmed()))
                    emit RaiseRequested();
                client->disconnectFromServer();
            });
        }
    });
    return true;
}

bool TSingleInstance::RaiseFirst()
{
    const QString path = QString::fromStdString(Lock_.SocketPath());
    const QDeadlineTimer deadline(kConnectTimeout);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(500)) {
            socket.write(kRaise);
            return socket.waitForBytesWritten(1000);
        }
        QThread::msleep(100);
    }
    return false;
}
