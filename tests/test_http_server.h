#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace tinctora::testing {

// A small HTTP server on 127.0.0.1, served by the test's own event loop: while the program waits
// for a download in its event loop, this server answers. Every request gets `reply`.
class TestHttpServer {
public:
    struct Reply {
        int status = 200;
        QByteArray body = "1.1\r\n";
        QList<QPair<QByteArray, QByteArray>> headers;
        bool announceLength = true; // send Content-Length (otherwise the end is the close)
        int delayMs = 0;            // wait this long before answering
        bool never = false;         // accept the request and never answer...
        int hangUpAfterMs = 30000;  // ...but hang up then, so that a test fails rather than hangs
    };

    TestHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                serve(socket);
        });
    }

    bool listening() const { return server_.isListening(); }
    QString base() const { return QString("http://127.0.0.1:%1").arg(server_.serverPort()); }

    Reply reply;
    QStringList paths; // request paths, in order
    // Runs when a request has arrived, before it is answered: the program is waiting then.
    std::function<void()> onRequest;

private:
    void serve(QTcpSocket* socket) {
        auto* request = new QByteArray;
        QObject::connect(socket, &QObject::destroyed, [request] { delete request; });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            if (request->contains("\r\n\r\n"))
                return;
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n"))
                return;
            paths << QString::fromLatin1(request->split(' ').value(1));
            if (onRequest)
                onRequest();
            const Reply answer = reply;
            if (answer.never) {
                QTimer::singleShot(answer.hangUpAfterMs, socket, [socket] { socket->abort(); });
                return;
            }
            if (answer.delayMs > 0)
                QTimer::singleShot(answer.delayMs, socket,
                                   [socket, answer] { send(socket, answer); });
            else
                send(socket, answer);
        });
    }

    static void send(QTcpSocket* socket, const Reply& answer) {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " Status\r\n";
        head += "Content-Type: text/plain\r\nConnection: close\r\n";
        if (answer.announceLength)
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        for (const auto& [name, value] : answer.headers)
            head += name + ": " + value + "\r\n";
        socket->write(head + "\r\n" + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
};

} // namespace tinctora::testing
