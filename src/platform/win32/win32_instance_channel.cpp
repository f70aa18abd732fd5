#include "platform/instance_channel.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>

#include <windows.h>

namespace tinctora::platform {

namespace {

constexpr char kAnswer = 'R';

// Pipe names are shared by all sessions of the machine: each user's names carry the user's name.
QString pipeNameFor(const QString& name) {
    return name + '.' + qEnvironmentVariable("USERNAME");
}

} // namespace

struct InstanceChannel::Listener {
    QLocalServer server;
};

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen(const QString& name, QString* reason) {
    auto listener = std::make_unique<Listener>();
    listener->server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!listener->server.listen(pipeNameFor(name))) {
        if (reason)
            *reason = listener->server.errorString();
        return false;
    }
    QLocalServer* server = &listener->server;
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket* caller = server->nextPendingConnection()) {
            caller->write(&kAnswer, 1);
            caller->flush();
            caller->disconnectFromServer();
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            emit called();
        }
    });
    listener_ = std::move(listener);
    return true;
}

bool InstanceChannel::call(const QString& name, int timeoutMs) {
    // Windows lets only the program the user just started put a window in front; this one gives
    // that right to the copy it calls.
    AllowSetForegroundWindow(ASFW_ANY);
    QElapsedTimer clock;
    clock.start();
    // The copy called may have taken the folder a moment ago and not be listening yet.
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(pipeNameFor(name));
        if (socket.waitForConnected(
                static_cast<int>(std::max<qint64>(0, timeoutMs - clock.elapsed())))) {
            const bool answered = socket.waitForReadyRead(
                static_cast<int>(std::max<qint64>(0, timeoutMs - clock.elapsed())));
            char byte = 0;
            return answered && socket.read(&byte, 1) == 1 && byte == kAnswer;
        }
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(50);
    }
}

} // namespace tinctora::platform
