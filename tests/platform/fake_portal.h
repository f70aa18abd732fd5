#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMap>
#include <QString>
#include <QVariantMap>

#include <vector>

namespace tinctora::testing {

// Stands in for the desktop portal (org.freedesktop.portal.Desktop) on a test's own bus. Every
// request method replies with a request path and then sends Response as told in answers.
class FakePortal final : public QDBusVirtualObject {
public:
    struct Answer {
        uint response = 0;
        QVariantMap results;
        // Response goes out before the method's reply, as a quick portal may do it.
        bool responseBeforeReply = false;
        // The reply names a request path of the portal's choosing instead of the one the
        // handle_token implies, as portals before that convention did.
        bool pathOfItsOwn = false;
        // No Response at all (a dialog the user never closes).
        bool silent = false;
    };

    // Owns the portal's name on bus and answers there.
    explicit FakePortal(QDBusConnection bus);
    ~FakePortal() override;

    bool registered() const { return registered_; }
    // Keyed by method name, for example "PickColor"; a method without an answer gets
    // response 2.
    QMap<QString, Answer> answers;
    // Without it the portal has no org.freedesktop.portal.GlobalShortcuts, as on most desktops.
    bool offersGlobalShortcuts = true;
    // Every method call received, in order.
    std::vector<QDBusMessage> calls;
    std::vector<QString> callsNamed(const QString& member) const;

    // Sends GlobalShortcuts.Activated as the desktop does for a press.
    void activate(const QString& sessionHandle, const QString& shortcutId);
    // The session handle the last CreateSession answered with.
    QString lastSession() const { return lastSession_; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QDBusConnection bus_;
    bool registered_ = false;
    QString lastSession_;
    int requests_ = 0;
};

// The (ddd) colour value PickColor results carry.
QVariant portalColour(double red, double green, double blue);

} // namespace tinctora::testing
