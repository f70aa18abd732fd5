#include "platform/wayland/portal_global_shortcuts.h"

#include "platform/wayland/portal_request.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>

#include <array>
#include <utility>

namespace tinctora::platform::wayland {

namespace {

const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// The desktop may show its own dialog for the binding.
constexpr int kBindTimeoutMs = 5 * 60'000;
constexpr uint kCancelled = 1;

struct ShortcutDescription {
    HotKey key;
    const char* id;
    const char* description;
    const char* trigger;
};

constexpr std::array<ShortcutDescription, 4> kShortcuts{{
    {HotKey::F2, "add-colour", "Add the current colour to the swatches", "F2"},
    {HotKey::F3, "start-capture", "Start following the mouse pointer again", "F3"},
    {HotKey::F4, "capture-colour", "Hold the current colour and add it to the swatches", "F4"},
    {HotKey::F6, "freeze-screen", "Freeze the screen and pick a colour", "F6"},
}};

// One entry of the a(sa{sv}) list BindShortcuts takes.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

ShortcutsOutcome outcomeOf(ShortcutsOutcome::Status status, const QString& message = {}) {
    ShortcutsOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    return outcome;
}

// Keys outside the window are a bonus: a desktop without them, or without a portal at all, is
// reported as unavailable rather than as a failure.
ShortcutsOutcome callFailure(const QDBusError& error) {
    switch (error.type()) {
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownObject:
        return outcomeOf(ShortcutsOutcome::Status::Unavailable,
                         QStringLiteral("This desktop offers no keys outside Tinctora's window, so "
                                        "F2, F3, F4 and F6 work only while it has the focus."));
    default:
        break;
    }
    const QString message = describeCallFailure(error, QStringLiteral("global shortcuts"));
    return outcomeOf(message == noPortalMessage() ? ShortcutsOutcome::Status::Unavailable
                                                  : ShortcutsOutcome::Status::Failed,
                     message);
}

std::optional<ShortcutsOutcome> unsuccessful(const PortalReply& reply) {
    switch (reply.status) {
    case PortalReply::Status::CallFailed:
        return callFailure(reply.error);
    case PortalReply::Status::TimedOut:
        return outcomeOf(ShortcutsOutcome::Status::Failed,
                         QStringLiteral("The desktop did not answer the request for global "
                                        "shortcuts."));
    case PortalReply::Status::Answered:
        break;
    }
    if (reply.response == kCancelled)
        return outcomeOf(ShortcutsOutcome::Status::Cancelled);
    if (reply.response != 0)
        return outcomeOf(ShortcutsOutcome::Status::Failed,
                         QStringLiteral("The desktop refused the global shortcuts."));
    return std::nullopt;
}

} // namespace

} // namespace tinctora::platform::wayland

Q_DECLARE_METATYPE(tinctora::platform::wayland::PortalShortcut)

namespace tinctora::platform::wayland {

PortalGlobalShortcuts::PortalGlobalShortcuts(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {
    // QtDBus matches a signal to a slot through the slot's registered parameter types; an object
    // path not yet registered when Activated is connected leaves every press undelivered.
    qRegisterMetaType<QDBusObjectPath>();
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

PortalGlobalShortcuts::~PortalGlobalShortcuts() {
    if (!session_.isEmpty())
        bus_.asyncCall(QDBusMessage::createMethodCall(
            kPortalService, session_, QStringLiteral("org.freedesktop.portal.Session"),
            QStringLiteral("Close")));
}

QString PortalGlobalShortcuts::shortcutId(HotKey key) {
    for (const auto& shortcut : kShortcuts)
        if (shortcut.key == key)
            return QString::fromLatin1(shortcut.id);
    return {};
}

std::optional<HotKey> PortalGlobalShortcuts::keyForShortcutId(const QString& id) {
    for (const auto& shortcut : kShortcuts)
        if (id == QLatin1String(shortcut.id))
            return shortcut.key;
    return std::nullopt;
}

void PortalGlobalShortcuts::bind(std::function<void(ShortcutsOutcome)> done,
                                 std::function<void(HotKey)> activated) {
    done_ = std::move(done);
    activated_ = std::move(activated);
    // Subscribed before the session exists, so no press after binding can be missed.
    bus_.connect(kPortalService, kPortalPath, kShortcutsInterface, QStringLiteral("Activated"),
                 this, SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    const QString sessionToken = PortalRequest::freshToken();
    PortalRequest::start(
        bus_, kShortcutsInterface, QStringLiteral("CreateSession"), {},
        {{QStringLiteral("session_handle_token"), sessionToken}}, kBindTimeoutMs,
        [this](PortalReply reply) {
            if (auto outcome = unsuccessful(reply))
                return finish(*outcome);
            // The portal has sent the handle as a string and as an object path.
            const QVariant handle = reply.results.value(QStringLiteral("session_handle"));
            session_ = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                           ? handle.value<QDBusObjectPath>().path()
                           : handle.toString();
            if (session_.isEmpty())
                return finish(outcomeOf(ShortcutsOutcome::Status::Failed,
                                        QStringLiteral("The desktop opened no session for "
                                                       "global shortcuts.")));
            bindShortcuts();
        },
        this);
}

void PortalGlobalShortcuts::bindShortcuts() {
    QList<PortalShortcut> shortcuts;
    for (const auto& shortcut : kShortcuts)
        shortcuts.append(
            {QString::fromLatin1(shortcut.id),
             {{QStringLiteral("description"), QString::fromLatin1(shortcut.description)},
              {QStringLiteral("preferred_trigger"), QString::fromLatin1(shortcut.trigger)}}});
    PortalRequest::start(
        bus_, kShortcutsInterface, QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), QString()},
        {}, kBindTimeoutMs,
        [this](PortalReply reply) {
            if (auto outcome = unsuccessful(reply))
                return finish(*outcome);
            bound_ = true;
            finish(outcomeOf(ShortcutsOutcome::Status::Bound));
        },
        this);
}

void PortalGlobalShortcuts::finish(ShortcutsOutcome outcome) {
    if (auto done = std::exchange(done_, nullptr))
        done(std::move(outcome));
}

void PortalGlobalShortcuts::onActivated(const QDBusObjectPath& session, const QString& shortcutId,
                                        qulonglong, const QVariantMap&) {
    if (!bound_ || session.path() != session_ || !activated_)
        return;
    if (const auto key = keyForShortcutId(shortcutId))
        activated_(*key);
}

} // namespace tinctora::platform::wayland
