#include "platform/wayland/portal_request.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <QTimer>

namespace tinctora::platform::wayland {

namespace {

const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

void PortalRequest::start(const QDBusConnection& bus, const QString& interface,
                          const QString& method, const QVariantList& arguments, QVariantMap options,
                          int timeoutMs, std::function<void(PortalReply)> done, QObject* parent) {
    auto* request = new PortalRequest(bus, std::move(done), parent);
    if (!bus.isConnected()) {
        PortalReply reply;
        reply.error = bus.lastError().isValid()
                          ? bus.lastError()
                          : QDBusError(QDBusError::Disconnected, QStringLiteral("not connected"));
        QTimer::singleShot(0, request, [request, reply] { request->finish(reply); });
        return;
    }
    const QString token = freshToken();
    options.insert(QStringLiteral("handle_token"), token);
    request->listenOn(objectPathFor(bus, QStringLiteral("request"), token));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    QVariantList callArguments = arguments;
    callArguments.append(options);
    call.setArguments(callArguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, &PortalRequest::onCallFinished);
    if (timeoutMs > 0)
        QTimer::singleShot(timeoutMs, request, [request] {
            PortalReply reply;
            reply.status = PortalReply::Status::TimedOut;
            request->finish(reply);
        });
}

PortalRequest::PortalRequest(const QDBusConnection& bus, std::function<void(PortalReply)> done,
                             QObject* parent)
    : QObject(parent), bus_(bus), done_(std::move(done)) {}

PortalRequest::~PortalRequest() {
    // A request still open when its owner goes (or that timed out) would leave the desktop's
    // dialog on screen.
    if (!listenedPath_.isEmpty())
        bus_.asyncCall(QDBusMessage::createMethodCall(kPortalService, listenedPath_,
                                                      kRequestInterface, QStringLiteral("Close")));
    stopListening();
}

QString PortalRequest::freshToken() {
    return QStringLiteral("tinctora%1")
        .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
}

QString PortalRequest::objectPathFor(const QDBusConnection& bus, const QString& kind,
                                     const QString& token) {
    QString sender = bus.baseService();
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3").arg(kind, sender, token);
}

bool PortalRequest::listenOn(const QString& path) {
    stopListening();
    if (!bus_.connect(kPortalService, path, kRequestInterface, QStringLiteral("Response"), this,
                      SLOT(onResponse(uint, QVariantMap))))
        return false;
    listenedPath_ = path;
    return true;
}

void PortalRequest::stopListening() {
    if (listenedPath_.isEmpty())
        return;
    bus_.disconnect(kPortalService, listenedPath_, kRequestInterface, QStringLiteral("Response"),
                    this, SLOT(onResponse(uint, QVariantMap)));
    listenedPath_.clear();
}

void PortalRequest::onResponse(uint response, const QVariantMap& results) {
    stopListening(); // answered: nothing left to close
    PortalReply reply;
    reply.status = PortalReply::Status::Answered;
    reply.response = response;
    reply.results = results;
    finish(reply);
}

void PortalRequest::onCallFinished(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    if (finished_)
        return;
    const QDBusPendingReply<QDBusObjectPath> handle = *watcher;
    if (handle.isError()) {
        stopListening();
        PortalReply reply;
        reply.error = handle.error();
        finish(reply);
        return;
    }
    // Portals older than the handle_token convention answer on a path of their own choosing.
    const QString path = handle.value().path();
    if (path != listenedPath_ && !listenOn(path)) {
        PortalReply reply;
        reply.error = bus_.lastError();
        finish(reply);
    }
}

void PortalRequest::finish(PortalReply reply) {
    if (finished_)
        return;
    finished_ = true;
    auto done = std::move(done_);
    deleteLater();
    done(std::move(reply));
}

QString noPortalMessage() {
    return QStringLiteral(
        "Tinctora reads the screen on Wayland through the desktop portal, which is not running "
        "here: install xdg-desktop-portal and the portal backend for your desktop "
        "(xdg-desktop-portal-wlr, xdg-desktop-portal-gnome or xdg-desktop-portal-kde).");
}

QString describeCallFailure(const QDBusError& error, const QString& feature) {
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
        return noPortalMessage();
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        return QStringLiteral("Tinctora reaches the desktop portal through the D-Bus session bus, "
                              "which this session does not offer.");
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownObject:
        return QStringLiteral("The desktop portal here offers no %1.").arg(feature);
    default:
        break;
    }
    // The bus starts the portal on demand; a portal that cannot start is as good as missing.
    if (error.name().startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn.")))
        return noPortalMessage();
    return QStringLiteral("The desktop portal could not provide %1: %2")
        .arg(feature, error.message());
}

} // namespace tinctora::platform::wayland
