// The portal client against a fake desktop portal on a private session bus.

#include "fake_portal.h"
#include "private_session_bus.h"
#include "widget_test_support.h"

#include "capture/capture_texts.h"

#include "capture/freeze_overlay.h"
#include "platform/wayland/pick_position.h"
#include "platform/wayland/portal_colour_picker.h"
#include "platform/wayland/portal_global_shortcuts.h"
#include "platform/wayland/portal_screen_grabber.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace tinctora::platform::wayland {
namespace {

using testing::FakePortal;
using testing::portalColour;
using testing::PrivateSessionBus;

template <typename T> bool waitFor(const std::optional<T>& result, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!result && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return result.has_value();
}

class DesktopPortal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.running()) << "dbus-daemon did not start";
        client = bus.connect(clientName);
        ASSERT_TRUE(client->isConnected()) << qPrintable(client->lastError().message());
    }
    void TearDown() override {
        portal.reset();
        client.reset();
        QDBusConnection::disconnectFromBus(clientName);
        QDBusConnection::disconnectFromBus(desktopName);
    }
    // Without it the bus has no portal at all.
    FakePortal& startPortal() {
        portal = std::make_unique<FakePortal>(bus.connect(desktopName));
        EXPECT_TRUE(portal->registered());
        return *portal;
    }
    PickOutcome pick() {
        PortalColourPicker picker(*client);
        std::optional<PickOutcome> outcome;
        picker.pickColour([&](PickOutcome o) { outcome = o; });
        EXPECT_TRUE(waitFor(outcome));
        return outcome.value_or(PickOutcome{});
    }
    GrabOutcome grab() {
        PortalScreenGrabber grabber(*client);
        std::optional<GrabOutcome> outcome;
        grabber.grabScreen([&](GrabOutcome o) { outcome = o; });
        EXPECT_TRUE(waitFor(outcome));
        return outcome.value_or(GrabOutcome{});
    }

    PrivateSessionBus bus;
    const QString clientName = "tinctora-client " + bus.address();
    const QString desktopName = "fake-desktop " + bus.address();
    std::optional<QDBusConnection> client;
    std::unique_ptr<FakePortal> portal;
};

TEST_F(DesktopPortal, PickedColoursAreRoundedToTheNearestByteRedFirst) {
    struct Case {
        double red, green, blue;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1.0, 0.5, 0.0, 0x0080FF},
        {0.2, 0.4, 0.6, 0x996633},
        {0.998, 0.002, 0.0, 0x0001FE},
        {0.0, 0.0, 1.0, 0xFF0000},
    };
    FakePortal& fake = startPortal();
    for (const Case& c : cases) {
        fake.answers["PickColor"] = {0, {{"color", portalColour(c.red, c.green, c.blue)}}};
        const PickOutcome outcome = pick();
        ASSERT_EQ(outcome.status, PickOutcome::Status::Picked) << qPrintable(outcome.message);
        EXPECT_EQ(outcome.colour, c.expected) << c.red << " " << c.green << " " << c.blue;
    }
    ASSERT_EQ(fake.calls.size(), std::size(cases));
    EXPECT_EQ(fake.calls[0].interface(), "org.freedesktop.portal.Screenshot");
}

TEST_F(DesktopPortal, AnAnswerIsHeardHoweverQuicklyOrWhereverThePortalSendsIt) {
    FakePortal& fake = startPortal();
    FakePortal::Answer answer{0, {{"color", portalColour(0, 1, 0)}}};
    answer.responseBeforeReply = true;
    fake.answers["PickColor"] = answer;
    EXPECT_EQ(pick().colour, 0x00FF00);

    answer.responseBeforeReply = false;
    answer.pathOfItsOwn = true;
    fake.answers["PickColor"] = answer;
    EXPECT_EQ(pick().colour, 0x00FF00);
}

TEST_F(DesktopPortal, ACancelledPickSaysNothingAndARefusedOneSaysSo) {
    FakePortal& fake = startPortal();
    fake.answers["PickColor"] = {1, {}};
    PickOutcome outcome = pick();
    EXPECT_EQ(outcome.status, PickOutcome::Status::Cancelled);
    EXPECT_TRUE(outcome.message.isEmpty());

    fake.answers["PickColor"] = {2, {}};
    outcome = pick();
    EXPECT_EQ(outcome.status, PickOutcome::Status::Failed);
    EXPECT_FALSE(outcome.message.isEmpty());
}

TEST_F(DesktopPortal, AColourThatIsNotThreeChannelsFromZeroToOneFails) {
    QDBusArgument twoChannels;
    twoChannels.beginStructure();
    twoChannels << 0.5 << 0.5;
    twoChannels.endStructure();
    const QVariant colours[] = {QVariant("#ff0000"), portalColour(1.5, 0, 0),
                                portalColour(0, -0.1, 0), QVariant::fromValue(twoChannels),
                                QVariant(0.5)};
    FakePortal& fake = startPortal();
    for (const QVariant& colour : colours) {
        fake.answers["PickColor"] = {0, {{"color", colour}}};
        const PickOutcome outcome = pick();
        EXPECT_EQ(outcome.status, PickOutcome::Status::Failed);
        EXPECT_TRUE(outcome.message.contains("cannot read")) << qPrintable(outcome.message);
    }
}

TEST_F(DesktopPortal, WithoutAPortalServiceTheMessageSaysWhatToInstall) {
    const PickOutcome picked = pick();
    EXPECT_EQ(picked.status, PickOutcome::Status::Failed);
    EXPECT_TRUE(picked.message.contains("xdg-desktop-portal-wlr")) << qPrintable(picked.message);
    const GrabOutcome grabbed = grab();
    EXPECT_EQ(grabbed.status, GrabOutcome::Status::Failed);
    EXPECT_EQ(grabbed.message, picked.message);
}

TEST_F(DesktopPortal, APickerGoneBeforeTheAnswerClosesTheRequestAndIsNotCalledBack) {
    FakePortal& fake = startPortal();
    FakePortal::Answer silent;
    silent.silent = true;
    fake.answers["PickColor"] = silent;
    bool called = false;
    {
        PortalColourPicker picker(*client);
        picker.pickColour([&](PickOutcome) { called = true; });
        QDeadlineTimer deadline(5000);
        while (fake.calls.empty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }
    QDeadlineTimer deadline(5000);
    while (fake.callsNamed("Close").empty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(fake.callsNamed("Close").size(), 1u);
    EXPECT_EQ(fake.callsNamed("Close")[0], "org.freedesktop.portal.Request");
    EXPECT_FALSE(called);
}

TEST_F(DesktopPortal, AScreenshotIsLoadedWholeAndItsFileRemoved) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Screenshot.png");
    QImage shot(8, 6, QImage::Format_ARGB32);
    shot.fill(QColor(0x33, 0x66, 0x99));
    shot.setPixel(3, 2, qRgb(0xFE, 0x01, 0x80));
    ASSERT_TRUE(shot.save(file));
    FakePortal& fake = startPortal();
    fake.answers["Screenshot"] = {0, {{"uri", QUrl::fromLocalFile(file).toString()}}};

    const GrabOutcome outcome = grab();
    ASSERT_EQ(outcome.status, GrabOutcome::Status::Grabbed) << qPrintable(outcome.message);
    const FrozenScreen& screen = *outcome.screen;
    EXPECT_EQ(screen.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(screen.image.size(), QSize(8, 6));
    EXPECT_EQ(screen.image.pixel(3, 2), qRgb(0xFE, 0x01, 0x80));
    EXPECT_EQ(screen.image.pixel(7, 5), qRgb(0x33, 0x66, 0x99));
    EXPECT_EQ(screen.origin, (ScreenPoint{0, 0}));
    EXPECT_EQ(screen.monitors, (std::vector<ScreenRect>{ScreenRect{0, 0, 8, 6}}));
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(qdbus_cast<QVariantMap>(fake.calls[0].arguments().at(1)).value("interactive"), false);
}

TEST_F(DesktopPortal, ARefusedScreenshotIsAskedForOnceMoreWithTheDesktopsDialog) {
    FakePortal& fake = startPortal();
    fake.answers["Screenshot"] = {2, {}};
    const GrabOutcome outcome = grab();
    EXPECT_EQ(outcome.status, GrabOutcome::Status::Failed);
    EXPECT_FALSE(outcome.message.isEmpty());
    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(qdbus_cast<QVariantMap>(fake.calls[1].arguments().at(1)).value("interactive"), true);

    fake.answers["Screenshot"] = {1, {}};
    EXPECT_EQ(grab().status, GrabOutcome::Status::Cancelled);
}

TEST_F(DesktopPortal, AScreenshotFileThatIsNoImageFailsAndIsRemovedAnyway) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Screenshot.png");
    QFile junk(file);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    FakePortal& fake = startPortal();
    fake.answers["Screenshot"] = {0, {{"uri", QUrl::fromLocalFile(file).toString()}}};
    const GrabOutcome outcome = grab();
    EXPECT_EQ(outcome.status, GrabOutcome::Status::Failed);
    EXPECT_FALSE(outcome.message.isEmpty());
    EXPECT_FALSE(QFile::exists(file));

    fake.answers["Screenshot"] = {0, {{"uri", "https://example.org/shot.png"}}};
    EXPECT_EQ(grab().status, GrabOutcome::Status::Failed);
}

struct Binding {
    std::optional<ShortcutsOutcome> outcome;
    std::vector<HotKey> pressed;
    void bind(GlobalShortcuts& shortcuts) {
        shortcuts.bind([this](ShortcutsOutcome o) { outcome = o; },
                       [this](HotKey key) { pressed.push_back(key); });
    }
};

struct BoundShortcut {
    QString id;
    QVariantMap properties;
};

std::vector<BoundShortcut> boundShortcuts(const QDBusMessage& bindCall) {
    std::vector<BoundShortcut> shortcuts;
    const auto list = bindCall.arguments().at(1).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        BoundShortcut shortcut;
        list.beginStructure();
        list >> shortcut.id >> shortcut.properties;
        list.endStructure();
        shortcuts.push_back(shortcut);
    }
    list.endArray();
    return shortcuts;
}

TEST_F(DesktopPortal, GlobalShortcutsBindFourKeysAndReportTheirPresses) {
    FakePortal& fake = startPortal();
    fake.answers["CreateSession"] = {0, {}};
    fake.answers["BindShortcuts"] = {0, {}};
    PortalGlobalShortcuts shortcuts(*client);
    Binding binding;
    binding.bind(shortcuts);
    ASSERT_TRUE(waitFor(binding.outcome));
    ASSERT_EQ(binding.outcome->status, ShortcutsOutcome::Status::Bound)
        << qPrintable(binding.outcome->message);

    ASSERT_EQ(fake.callsNamed("BindShortcuts").size(), 1u);
    const QDBusMessage bindCall = fake.calls.back();
    EXPECT_EQ(bindCall.arguments().at(0).value<QDBusObjectPath>().path(), fake.lastSession());
    QStringList triggers;
    for (const BoundShortcut& s : boundShortcuts(bindCall)) {
        triggers << s.properties.value("preferred_trigger").toString();
        EXPECT_FALSE(s.properties.value("description").toString().isEmpty()) << qPrintable(s.id);
    }
    EXPECT_EQ(triggers, QStringList({"F2", "F3", "F4", "F6"}));

    // A press in someone else's session is not ours.
    fake.activate(fake.lastSession() + "x", PortalGlobalShortcuts::shortcutId(HotKey::F2));
    fake.activate(fake.lastSession(), PortalGlobalShortcuts::shortcutId(HotKey::F4));
    fake.activate(fake.lastSession(), "unknown-shortcut");
    fake.activate(fake.lastSession(), PortalGlobalShortcuts::shortcutId(HotKey::F6));
    QDeadlineTimer deadline(5000);
    while (binding.pressed.size() < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(binding.pressed, (std::vector<HotKey>{HotKey::F4, HotKey::F6}));
}

TEST_F(DesktopPortal, GlobalShortcutsAreUnavailableWithoutTheInterfaceOrThePortal) {
    {
        PortalGlobalShortcuts shortcuts(*client);
        Binding binding;
        binding.bind(shortcuts);
        ASSERT_TRUE(waitFor(binding.outcome));
        EXPECT_EQ(binding.outcome->status, ShortcutsOutcome::Status::Unavailable);
        EXPECT_TRUE(binding.outcome->message.contains("xdg-desktop-portal"));
    }
    FakePortal& fake = startPortal();
    fake.offersGlobalShortcuts = false;
    PortalGlobalShortcuts shortcuts(*client);
    Binding binding;
    binding.bind(shortcuts);
    ASSERT_TRUE(waitFor(binding.outcome));
    EXPECT_EQ(binding.outcome->status, ShortcutsOutcome::Status::Unavailable);
    EXPECT_TRUE(binding.outcome->message.contains("F6")) << qPrintable(binding.outcome->message);
    EXPECT_TRUE(fake.callsNamed("BindShortcuts").empty());
}

TEST_F(DesktopPortal, GlobalShortcutsDeclinedByTheUserAreCancelledQuietly) {
    FakePortal& fake = startPortal();
    fake.answers["CreateSession"] = {0, {}};
    fake.answers["BindShortcuts"] = {1, {}};
    PortalGlobalShortcuts shortcuts(*client);
    Binding binding;
    binding.bind(shortcuts);
    ASSERT_TRUE(waitFor(binding.outcome));
    EXPECT_EQ(binding.outcome->status, ShortcutsOutcome::Status::Cancelled);
    EXPECT_TRUE(binding.outcome->message.isEmpty());
}

TEST(ScreenshotMonitors, MonitorsInScaledUnitsAreMappedOntoTheScreenshotsPixels) {
    // Two monitors side by side at scale 2: the screenshot has twice the pixels.
    EXPECT_EQ(
        monitorsInScreenshot(QSize(3200, 1200), {QRect(0, 0, 800, 600), QRect(800, 0, 800, 600)}),
        (std::vector<ScreenRect>{{0, 0, 1600, 1200}, {1600, 0, 1600, 1200}}));
    // A layout that starts left of the origin.
    EXPECT_EQ(
        monitorsInScreenshot(QSize(200, 100), {QRect(-100, 0, 100, 100), QRect(0, 0, 100, 50)}),
        (std::vector<ScreenRect>{{0, 0, 100, 100}, {100, 0, 100, 50}}));
    // A layout that does not fit the image, or none at all: the whole image is one monitor.
    EXPECT_EQ(monitorsInScreenshot(QSize(640, 480), {QRect(0, 0, 800, 800)}),
              (std::vector<ScreenRect>{ScreenRect{0, 0, 640, 480}}));
    EXPECT_EQ(monitorsInScreenshot(QSize(640, 480), {}),
              (std::vector<ScreenRect>{ScreenRect{0, 0, 640, 480}}));
}

// The main window on a desktop that keeps the pointer and other programs' keys to itself, with
// the portal client as the program builds it, against the fake portal.
class WindowOnPortal : public DesktopPortal {
protected:
    void TearDown() override {
        main.window.reset();
        desktop.reset();
        DesktopPortal::TearDown();
    }
    app::MainWindow& load() {
        grabber.emplace(*client);
        picker.emplace(*client);
        shortcuts.emplace(*client);
        desktop.emplace(WindowOnlyDesktop{*picker, *shortcuts});
        platform::fake::FakePlatform& f = main.fakes;
        platform.emplace(Platform{pickPosition, f.screen, f.keys, f.layer, f.shell, f.downloader,
                                  f.dialogs, *grabber, pickPosition, QString(), &*desktop});
        // The clock is ticked by hand: live ticks would sample the fake screen.
        main.window = std::make_unique<app::MainWindow>(
            *platform, main.folder(), about::vendorBaseAddress(), main.clock.factory());
        app::MainWindow& w = *main.window;
        w.startUp();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    bool settle(const std::function<bool()>& done, int ms = 5000) {
        QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    // Waits until the fake portal has answered n calls of method and the answers were handled.
    void answered(const QString& method, std::size_t n) {
        EXPECT_TRUE(settle([&] { return portal && portal->callsNamed(method).size() >= n; }))
            << qPrintable(method);
        // The Response signal follows the call; let it arrive and be handled.
        settle([] { return false; }, 300);
    }

    testing::MainWindowFixture main;
    std::optional<PortalScreenGrabber> grabber;
    std::optional<PortalColourPicker> picker;
    std::optional<PortalGlobalShortcuts> shortcuts;
    std::optional<WindowOnlyDesktop> desktop;
    PickPosition pickPosition;
    std::optional<Platform> platform;
};

TEST_F(WindowOnPortal, F6WhereTheDesktopRefusesScreenshotsPicksWithItsPickerAndStoresTheColour) {
    FakePortal& fake = startPortal();
    fake.offersGlobalShortcuts = false;
    fake.answers["PickColor"] = {0, {{"color", portalColour(0x12 / 255.0, 0x34 / 255.0, 1.0)}}};
    app::MainWindow& w = load();
    EXPECT_EQ(testing::ui(w).Label9->text(), capture::kNoLivePickNorGlobalKeys);

    QTest::keyClick(&w, Qt::Key_F6);
    answered("PickColor", 1);
    EXPECT_EQ(fake.callsNamed("Screenshot").size(), 2u);
    EXPECT_EQ(main.row().colourOf(1), 0xFF3412);
    EXPECT_FALSE(main.row().colourOf(2).has_value());
    EXPECT_EQ(testing::ui(w).Text2->text(), "1234FF");
    EXPECT_EQ(testing::ui(w).Label8->text(), capture::kPressF3);
    // F3 and F4 in the window: live again, then frozen with the shown colour added.
    QTest::keyClick(&w, Qt::Key_F3);
    EXPECT_EQ(testing::ui(w).Label8->text(), capture::kPressF4);
    QTest::keyClick(&w, Qt::Key_F4);
    EXPECT_EQ(testing::ui(w).Label8->text(), capture::kPressF3);
    QTest::keyClick(&w, Qt::Key_F2);
    EXPECT_EQ(main.row().colourOf(3), 0xFF3412);
    EXPECT_FALSE(main.row().colourOf(4).has_value());
    EXPECT_TRUE(main.fakes.dialogs.messages.empty());
}

TEST_F(WindowOnPortal, AScreenshotOpensTheFrozenScreenAndEnterPicksWhereTheMouseWasMovedByArrows) {
    QTemporaryDir dir;
    const QString file = dir.filePath("shot.png");
    QImage shot(800, 600, QImage::Format_RGB32);
    shot.fill(QColor(0x33, 0x66, 0x99));
    shot.setPixel(400, 300, qRgb(0x01, 0x02, 0x03));
    shot.setPixel(401, 299, qRgb(0xFE, 0x01, 0x80));
    ASSERT_TRUE(shot.save(file));
    FakePortal& fake = startPortal();
    fake.answers["Screenshot"] = {0, {{"uri", QUrl::fromLocalFile(file).toString()}}};
    app::MainWindow& w = load();

    QTest::keyClick(&w, Qt::Key_F6);
    capture::FreezeOverlay* overlay = nullptr;
    ASSERT_TRUE(settle([&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* o = qobject_cast<capture::FreezeOverlay*>(top); o && o->isVisible())
                overlay = o;
        return overlay != nullptr;
    }));
    // The desktop does not say where its pointer is: the overlay's own mouse events do.
    QTest::mouseMove(overlay, QPoint(400, 300));
    EXPECT_TRUE(overlay->magnifierText().startsWith("#010203"))
        << qPrintable(overlay->magnifierText());
    QTest::keyClick(overlay, Qt::Key_Right);
    QTest::keyClick(overlay, Qt::Key_Up);
    QTest::keyClick(overlay, Qt::Key_Return);
    settle([] { return false; }, 200);
    EXPECT_EQ(main.row().colourOf(1), 0x8001FE);
    EXPECT_TRUE(fake.callsNamed("PickColor").empty());
    EXPECT_TRUE(main.fakes.dialogs.messages.empty());
}

TEST_F(WindowOnPortal, ACancelledPickChangesNothingAndSaysNothing) {
    FakePortal& fake = startPortal();
    fake.answers["PickColor"] = {1, {}};
    app::MainWindow& w = load();
    const QString status = testing::ui(w).Label8->text();
    QTest::keyClick(&w, Qt::Key_F6);
    answered("PickColor", 1);
    EXPECT_FALSE(main.row().colourOf(1).has_value());
    EXPECT_EQ(testing::ui(w).Label8->text(), status);
    EXPECT_TRUE(main.fakes.dialogs.messages.empty());
}

TEST_F(WindowOnPortal, WithoutAPortalAPickSaysOnceWhatToInstall) {
    app::MainWindow& w = load();
    QTest::keyClick(&w, Qt::Key_F6);
    ASSERT_TRUE(settle([&] { return !main.fakes.dialogs.messages.empty(); }));
    settle([] { return false; }, 300);
    ASSERT_EQ(main.fakes.dialogs.messages.size(), 1u);
    EXPECT_TRUE(main.fakes.dialogs.messages[0].text.contains("install xdg-desktop-portal"));
    EXPECT_FALSE(main.row().colourOf(1).has_value());
    // Global keys could not be had either: the status line says so and nothing more.
    EXPECT_EQ(testing::ui(w).Label9->text(), capture::kNoLivePickNorGlobalKeys);
}

TEST_F(WindowOnPortal, TheDesktopsGlobalKeysActAsTheWindowsOwn) {
    FakePortal& fake = startPortal();
    fake.answers["CreateSession"] = {0, {}};
    fake.answers["BindShortcuts"] = {0, {}};
    fake.answers["PickColor"] = {0, {{"color", portalColour(0, 0.5, 0)}}};
    app::MainWindow& w = load();
    answered("BindShortcuts", 1);
    EXPECT_EQ(testing::ui(w).Label9->text(), capture::kNoLivePick);

    const auto press = [&](HotKey key) {
        fake.activate(fake.lastSession(), PortalGlobalShortcuts::shortcutId(key));
        settle([] { return false; }, 200);
    };
    press(HotKey::F6);
    answered("PickColor", 1);
    EXPECT_EQ(main.row().colourOf(1), 0x008000);
    press(HotKey::F3);
    EXPECT_EQ(testing::ui(w).Label8->text(), capture::kPressF4);
    press(HotKey::F4);
    EXPECT_EQ(testing::ui(w).Label8->text(), capture::kPressF3);
    EXPECT_EQ(main.row().colourOf(2), 0x008000);
    EXPECT_FALSE(main.row().colourOf(3).has_value());
}

TEST_F(WindowOnPortal, ADesktopWithoutGlobalShortcutsKeepsTheOneStatusLine) {
    FakePortal& fake = startPortal();
    fake.offersGlobalShortcuts = false;
    app::MainWindow& w = load();
    settle([] { return false; }, 500);
    EXPECT_EQ(testing::ui(w).Label9->text(), capture::kNoLivePickNorGlobalKeys);
    EXPECT_TRUE(testing::ui(w).Label9->toolTip().contains("keys outside the window"));
    const QLabel* line = testing::ui(w).Label9;
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width());
    EXPECT_TRUE(main.fakes.dialogs.messages.empty());
    EXPECT_TRUE(fake.callsNamed("BindShortcuts").empty());
}

} // namespace
} // namespace tinctora::platform::wayland
