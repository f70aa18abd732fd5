#pragma once

#include "platform/global_shortcuts.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

#include <optional>

namespace tinctora::platform::wayland {

// F2, F3, F4 and F6 outside the window through the portal's GlobalShortcuts: a session, the four
// shortcuts bound in it (the desktop lists them in its shortcut settings and may let the user
// change the keys), then one Activated signal per press.
class PortalGlobalShortcuts final : public QObject, public GlobalShortcuts {
    Q_OBJECT
public:
    explicit PortalGlobalShortcuts(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                   QObject* parent = nullptr);
    ~PortalGlobalShortcuts() override;
    void bind(std::function<void(ShortcutsOutcome)> done,
              std::function<void(HotKey)> activated) override;

    // The identifier the desktop knows a key's shortcut by.
    static QString shortcutId(HotKey key);
    static std::optional<HotKey> keyForShortcutId(const QString& id);

private slots:
    void onActivated(const QDBusObjectPath& session, const QString& shortcutId,
                     qulonglong timestamp, const QVariantMap& options);

private:
    void bindShortcuts();
    void finish(ShortcutsOutcome outcome);

    QDBusConnection bus_;
    std::function<void(ShortcutsOutcome)> done_;
    std::function<void(HotKey)> activated_;
    QString session_;
    bool bound_ = false;
};

} // namespace tinctora::platform::wayland
