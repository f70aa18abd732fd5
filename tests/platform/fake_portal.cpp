#include "fake_portal.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QTimer>

namespace tinctora::testing {

namespace {

const QString kService = "org.freedesktop.portal.Desktop";
const QString kPath = "/org/freedesktop/portal/desktop";
const QString kShortcuts = "org.freedesktop.portal.GlobalShortcuts";

QString senderPart(const QDBusMessage& message) {
    return message.service().mid(1).replace('.', '_');
}

} // namespace

FakePortal::FakePortal(QDBusConnection bus) : bus_(bus) {
    registered_ = bus_.registerVirtualObject(kPath, this, QDBusConnection::SubPath) &&
                  bus_.registerService(kService);
}

FakePortal::~FakePortal() {
    bus_.unregisterService(kService);
    bus_.unregisterObject(kPath);
}

std::vector<QString> FakePortal::callsNamed(const QString& member) const {
    std::vector<QString> interfaces;
    for (const QDBusMessage& call : calls)
        if (call.member() == member)
            interfaces.push_back(call.interface());
    return interfaces;
}

void FakePortal::activate(const QString& sessionHandle, const QString& shortcutId) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kShortcuts, "Activated");
    signal << QVariant::fromValue(QDBusObjectPath(sessionHandle)) << shortcutId << qulonglong(1234)
           << QVariantMap();
    bus_.send(signal);
}

QString FakePortal::introspect(const QString&) const {
    return {};
}

bool FakePortal::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    calls.push_back(message);
    if (message.interface() == kShortcuts && !offersGlobalShortcuts) {
        connection.send(message.createErrorReply(QDBusError::UnknownMethod, "No such interface"));
        return true;
    }
    if (message.member() == "Close") {
        connection.send(message.createReply());
        return true;
    }
    if (message.arguments().isEmpty())
        return false;
    const auto options = qdbus_cast<QVariantMap>(message.arguments().constLast());
    const QString token = options.value("handle_token").toString();
    const Answer answer = answers.value(message.member(), Answer{2, {}, false, false, false});
    const QString path = answer.pathOfItsOwn
                             ? QString("%1/request/elsewhere/r%2").arg(kPath).arg(++requests_)
                             : QString("%1/request/%2/%3").arg(kPath, senderPart(message), token);
    QVariantMap results = answer.results;
    if (message.member() == "CreateSession") {
        lastSession_ =
            QString("%1/session/%2/%3")
                .arg(kPath, senderPart(message), options.value("session_handle_token").toString());
        results.insert("session_handle", lastSession_);
    }
    QDBusMessage response =
        QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
    response << answer.response << results;
    if (!answer.silent && answer.responseBeforeReply)
        connection.send(response);
    connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
    if (answer.silent || answer.responseBeforeReply)
        return true;
    // A portal choosing its own path answers after a while (a dialog), or the client could not
    // have subscribed to that path in time.
    if (answer.pathOfItsOwn)
        QTimer::singleShot(100,
                           [connection, response] { QDBusConnection(connection).send(response); });
    else
        connection.send(response);
    return true;
}

QVariant portalColour(double red, double green, double blue) {
    QDBusArgument colour;
    colour.beginStructure();
    colour << red << green << blue;
    colour.endStructure();
    return QVariant::fromValue(colour);
}

} // namespace tinctora::testing
