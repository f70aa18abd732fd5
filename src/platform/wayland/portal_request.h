#pragma once

#include <QDBusConnection>
#include <QDBusError>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

class QDBusPendingCallWatcher;

namespace tinctora::platform::wayland {

inline const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

struct PortalReply {
    enum class Status { Answered, CallFailed, TimedOut };
    Status status = Status::CallFailed;
    // When Answered: 0 success, 1 cancelled by the user, 2 any other failure.
    uint response = 2;
    QVariantMap results;
    QDBusError error; // when CallFailed
};

// One portal method call that answers later through the Response signal of a Request object.
// The portal may send that signal before the method's reply arrives, so the request path the
// portal will use (derived from our unique bus name and the handle token) is subscribed to before
// the call is made.
class PortalRequest final : public QObject {
    Q_OBJECT
public:
    // Calls interface.method(arguments..., options) on the portal, with a fresh handle_token added
    // to options. done is called exactly once from the event loop, unless parent is destroyed
    // first; then the desktop is told to close the request. timeoutMs 0 waits for ever.
    static void start(const QDBusConnection& bus, const QString& interface, const QString& method,
                      const QVariantList& arguments, QVariantMap options, int timeoutMs,
                      std::function<void(PortalReply)> done, QObject* parent);
    ~PortalRequest() override;

    // A handle or session token no other request of this process uses.
    static QString freshToken();
    // The object path the portal gives a request or session created with token by this
    // connection: /org/freedesktop/portal/desktop/<kind>/<sender>/<token>.
    static QString objectPathFor(const QDBusConnection& bus, const QString& kind,
                                 const QString& token);

private slots:
    void onResponse(uint response, const QVariantMap& results);
    void onCallFinished(QDBusPendingCallWatcher* watcher);

private:
    PortalRequest(const QDBusConnection& bus, std::function<void(PortalReply)> done,
                  QObject* parent);
    bool listenOn(const QString& path);
    void stopListening();
    void finish(PortalReply reply);

    QDBusConnection bus_;
    std::function<void(PortalReply)> done_;
    QString listenedPath_;
    bool finished_ = false;
};

// One sentence for the user about a portal call that failed on the bus. feature names what was
// asked for, for example "screenshots".
QString describeCallFailure(const QDBusError& error, const QString& feature);

// The sentence for a desktop without any portal service.
QString noPortalMessage();

} // namespace tinctora::platform::wayland
