// The Help menu: the two manuals through the desktop's open operation, and About with its
// automatic check, busy pointer and topmost handling.
#include "about/screen_pointer.h"
#include "about_test_support.h"
#include "widget_test_support.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/win32_desktop.h"
#endif

namespace tinctora::testing {
namespace {

// The program's own open operation: the shell's on Windows, the desktop's opener on Linux.
#ifdef _WIN32
using DesktopShellOpen = platform::win32::Win32ShellOpen;
#else
using DesktopShellOpen = platform::qt::QtShellOpen;
#endif

using about::AboutWindow;
using platform::MessageIcon;
using platform::OpenOutcome;

const char kPdfError[] =
    "Error Running PDF Manual! Try installing Adobe Reader or read the Online Manual";
const char kSiteError[] = "Error loading Web Site! - Please go to tinctora.example.";

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                qputenv(it->first.constData(), *it->second);
            else
                qunsetenv(it->first.constData());
        }
    }
    void set(const char* name, const QString& value) {
        save(name);
        qputenv(name, value.toLocal8Bit());
    }
    void unset(const char* name) {
        save(name);
        qunsetenv(name);
    }

private:
    void save(const char* name) {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name)
                                      ? std::optional<QByteArray>(qgetenv(name))
                                      : std::nullopt);
    }
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

// A desktop whose opener is the one xdg-utils installs, with no program for anything: no
// desktop files, no browser, no desktop environment to ask. False when xdg-utils is missing.
bool useRealOpenerWithNothingToOpenWith(ScopedEnvironment& env, const QString& emptyFolder) {
    if (!QFileInfo(QStringLiteral("/usr/bin/xdg-open")).isExecutable())
        return false;
    env.set("PATH", "/usr/bin:/bin");
    for (const char* name :
         {"HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
        env.set(name, emptyFolder);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "BROWSER", "XDG_CURRENT_DESKTOP",
                             "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        env.unset(name);
    return true;
}

// A main window whose Help menu reaches the desktop through the real backend.
struct WindowWithDesktopOpener {
    explicit WindowWithDesktopOpener(const QString& programFolder)
        : window(withDesktopShell, programFolder) {}
    // Waits, with the event loop running, for the first message.
    bool messageShown() {
        return QTest::qWaitFor([&] { return !fakes.dialogs.messages.empty(); }, 15000);
    }
    platform::fake::FakePlatform fakes;
    DesktopShellOpen desktopShell;
    platform::Platform withDesktopShell{
        fakes.pointer,    fakes.screen,  fakes.keys,    fakes.layer, desktopShell,
        fakes.downloader, fakes.dialogs, fakes.grabber, fakes.mover, QString()};
    app::MainWindow window;
};

// --- PDF Manual --------------------------------------------------------------------------------

TEST(PdfManual, OpensHelpPdfBesideTheProgram) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).pdf->trigger();
    EXPECT_EQ(f.fakes.shell.opened, QStringList{f.folder() + "/Help.pdf"});
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(PdfManual, EveryOutcomeButHandedOverShowsTheErrorMessage) {
    for (OpenOutcome outcome :
         {OpenOutcome::FileNotFound, OpenOutcome::NoProgram, OpenOutcome::Failed}) {
        MainWindowFixture f;
        app::MainWindow& w = f.load();
        f.fakes.shell.outcome = outcome;
        ui(w).pdf->trigger();
        ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u) << int(outcome);
        EXPECT_EQ(f.fakes.dialogs.messages[0].text, kPdfError);
        EXPECT_EQ(f.fakes.dialogs.messages[0].title, "Error!");
        EXPECT_EQ(f.fakes.dialogs.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(f.fakes.dialogs.messages[0].buttons, platform::MessageButtons::Ok);
    }
}

TEST(PdfManual, TheMessageWaitsForTheDesktopsAnswerAndIsDroppedWithTheWindow) {
    MainWindowFixture f;
    f.load();
    f.fakes.shell.answerLater = true;
    ui(*f.window).pdf->trigger();
    EXPECT_TRUE(f.fakes.dialogs.messages.empty()) << "nothing is known before the answer";
    f.fakes.shell.unanswered(OpenOutcome::NoProgram);
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fakes.dialogs.messages[0].text, kPdfError);

    f.fakes.dialogs.messages.clear();
    ui(*f.window).pdf->trigger();
    f.window.reset();
    f.fakes.shell.unanswered(OpenOutcome::NoProgram);
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(PdfManual, MissingFileThroughTheDesktopBackend) {
    QTemporaryDir folder;
    WindowWithDesktopOpener w(folder.path());
    ui(w.window).pdf->trigger();
    ASSERT_EQ(w.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.fakes.dialogs.messages[0].text, kPdfError);
}

TEST(PdfManual, NoViewerThroughTheDesktopsRealOpener) {
    QTemporaryDir folder;
    ScopedEnvironment env;
    if (!useRealOpenerWithNothingToOpenWith(env, folder.path()))
        GTEST_SKIP() << "xdg-utils is not installed";
    writeFile(folder.path() + "/Help.pdf", "%PDF-1.4");
    WindowWithDesktopOpener w(folder.path());
    ui(w.window).pdf->trigger();
    ASSERT_TRUE(w.messageShown());
    ASSERT_EQ(w.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.fakes.dialogs.messages[0].text, kPdfError);
}

// --- What the desktop's opener reports -----------------------------------------------------------

// The desktop backend with a stand-in xdg-open first in PATH, which notes what it was given.
struct DesktopOpen : ::testing::Test {
    DesktopOpen() {
        QDir().mkpath(bin());
        env.set("PATH", bin() + ":" + qEnvironmentVariable("PATH"));
    }
    QString bin() const { return folder.path() + "/bin"; }
    QString log() const { return folder.path() + "/opened.log"; }

    // The opener notes its arguments, then runs `then`.
    void opener(const QByteArray& then) {
        const QString path = bin() + "/xdg-open";
        writeFile(path, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + log().toLocal8Bit() + "'\n" +
                            then + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QStringList handed() const {
        if (!QFile::exists(log()))
            return {};
        return QString::fromLocal8Bit(fileBytes(log())).split('\n', Qt::SkipEmptyParts);
    }

    // Starts an open request; its outcome and how often it came arrive in `outcome` and `calls`.
    void start(const QString& target, platform::ShellOpen& through) {
        through.open(target, [this](OpenOutcome o) {
            outcome = o;
            ++calls;
        });
    }
    // Opens and waits, with the event loop running, for the outcome.
    std::optional<OpenOutcome> open(const QString& target) {
        outcome.reset();
        start(target, shell);
        (void)QTest::qWaitFor([&] { return outcome.has_value(); }, 15000);
        return outcome;
    }

    ScopedEnvironment env;
    QTemporaryDir folder;
    platform::qt::QtShellOpen shell;
    std::optional<OpenOutcome> outcome;
    int calls = 0;
};

TEST_F(DesktopOpen, TheOpenersExitStatusIsTheOutcome) {
    const QString pdf = folder.path() + "/Help.pdf";
    writeFile(pdf, "%PDF-1.4");
    const struct {
        const char* then;
        OpenOutcome outcome;
    } cases[] = {{"exit 0", OpenOutcome::HandedOver},   {"exit 1", OpenOutcome::Failed},
                 {"exit 2", OpenOutcome::FileNotFound}, {"exit 3", OpenOutcome::NoProgram},
                 {"exit 4", OpenOutcome::Failed},       {"exit 77", OpenOutcome::Failed},
                 {"kill -9 $$", OpenOutcome::Failed}};
    for (const auto& c : cases) {
        opener(c.then);
        EXPECT_EQ(open(pdf), c.outcome) << c.then;
    }
    EXPECT_EQ(calls, int(std::size(cases)));
    EXPECT_EQ(handed(), QStringList(std::size(cases), pdf));
}

TEST_F(DesktopOpen, MissingFileIsFileNotFoundAndTheOpenerIsNotRun) {
    opener("exit 0");
    EXPECT_EQ(open(folder.path() + "/Help.pdf"), OpenOutcome::FileNotFound);
    EXPECT_TRUE(handed().isEmpty());
}

TEST_F(DesktopOpen, NoOpenerAtAllIsNoProgram) {
    env.set("PATH", bin());
    EXPECT_EQ(open("http://tinctora.example/qormanual.htm"), OpenOutcome::NoProgram);
}

TEST_F(DesktopOpen, FolderNamesThatLookLikeAddressPartsStayPartOfThePath) {
    opener("exit 0");
    ASSERT_TRUE(QDir(folder.path()).mkpath("Tools #2/Picker?%20"));
    const QString pdf = folder.path() + "/Tools #2/Picker?%20/Help.pdf";
    writeFile(pdf, "%PDF-1.4");
    EXPECT_EQ(open(pdf), OpenOutcome::HandedOver);
    EXPECT_EQ(handed(), QStringList{pdf});
    EXPECT_EQ(open(folder.path() + "/Tools #2/Help.pdf"), OpenOutcome::FileNotFound);
}

TEST_F(DesktopOpen, AddressesGoToTheOpenerWithoutAFileCheck) {
    opener("exit 3");
    EXPECT_EQ(open("http://tinctora.example/qormanual.htm"), OpenOutcome::NoProgram);
    EXPECT_EQ(handed(), QStringList{"http://tinctora.example/qormanual.htm"});
}

TEST_F(DesktopOpen, TheWindowKeepsWorkingWhileTheOpenerRunsAndABusyOneHasHandedOver) {
    opener("sleep 1; touch '" + folder.filePath("ended").toLocal8Bit() + "'; exit 3");
    platform::qt::QtShellOpen impatient("xdg-open", 300);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(20);
    start("http://tinctora.example/qormanual.htm", impatient);
    EXPECT_FALSE(outcome.has_value()) << "open returns before the opener ends";
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 15000));
    EXPECT_EQ(outcome, OpenOutcome::HandedOver);
    EXPECT_GT(ticks, 5);
    // Its late failure changes nothing: the outcome was given once.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(folder.filePath("ended")); }, 15000));
    QTest::qWait(300);
    EXPECT_EQ(calls, 1);
}

// --- Online Manual -------------------------------------------------------------------------------

TEST(OnlineManual, OpensTheManualPageOnTheVendorsServer) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).helon->trigger();
    EXPECT_EQ(f.fakes.shell.opened, QStringList{"http://tinctora.example/qormanual.htm"});
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(OnlineManual, EveryOutcomeButHandedOverShowsTheSiteAddress) {
    for (OpenOutcome outcome :
         {OpenOutcome::FileNotFound, OpenOutcome::NoProgram, OpenOutcome::Failed}) {
        MainWindowFixture f;
        app::MainWindow& w = f.load();
        f.fakes.shell.outcome = outcome;
        ui(w).helon->trigger();
        ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u) << int(outcome);
        EXPECT_EQ(f.fakes.dialogs.messages[0].text, kSiteError);
        EXPECT_EQ(f.fakes.dialogs.messages[0].title, "Error!");
        EXPECT_EQ(f.fakes.dialogs.messages[0].icon, MessageIcon::Critical);
    }
}

TEST(OnlineManual, NoBrowserThroughTheDesktopsRealOpener) {
    QTemporaryDir folder;
    ScopedEnvironment env;
    if (!useRealOpenerWithNothingToOpenWith(env, folder.path()))
        GTEST_SKIP() << "xdg-utils is not installed";
    WindowWithDesktopOpener w(folder.path());
    ui(w.window).helon->trigger();
    ASSERT_TRUE(w.messageShown());
    ASSERT_EQ(w.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.fakes.dialogs.messages[0].text, kSiteError);
}

// --- About ---------------------------------------------------------------------------------------

struct AboutCommand : ::testing::Test {
    AboutCommand() {
        downloadForReal(f.fakes.downloader, realDownloader);
        f.load(server.base());
    }
    ~AboutCommand() override { about::showDefaultPointer(); }

    // Runs About; `whileShown` sees the About window while it is open, then OK closes it.
    void runAbout(const std::function<void(AboutWindow&)>& whileShown = {}) {
        WhenShownModally<AboutWindow> watch(
            [&](AboutWindow& about) {
                shownWith = controls(about).Label6->text();
                topmostWhileShown = f.fakes.layer.topmost;
                pointerBusyWhileShown = about::busyPointerShown();
                owner = about.parentWidget();
                modal = about.isModal();
                shownWindow = &about;
                if (whileShown)
                    whileShown(about);
            },
            [](AboutWindow& about) { controls(about).Command1->click(); });
        ui(*f.window).abo->trigger();
        // Shown once the check has ended, and gone once closed.
        EXPECT_TRUE(waitUntil([&] { return watch.shown > 0 && shownWindow.isNull(); }));
        timesShown = watch.shown;
    }

    MainWindowFixture f;
    TestHttpServer server;
    ProgramDownloader realDownloader;
    int timesShown = 0;
    QString shownWith = "(not shown)";
    bool topmostWhileShown = true;
    bool pointerBusyWhileShown = true;
    QWidget* owner = nullptr;
    bool modal = false;
    QPointer<AboutWindow> shownWindow;
};

TEST_F(AboutCommand, ChecksThenShowsTheWindowModallyOverTheMainWindow) {
    runAbout();
    EXPECT_EQ(timesShown, 1);
    EXPECT_EQ(shownWith, "You have the latest Version: 1.1");
    EXPECT_EQ(owner, f.window.get());
    EXPECT_TRUE(modal);
    EXPECT_EQ(server.paths, QStringList{"/qor.ini"});
    EXPECT_FALSE(QFile::exists(f.folder() + "/qor.ini"));
    EXPECT_TRUE(shownWindow.isNull()) << "the About window is gone once closed";
}

TEST_F(AboutCommand, BusyPointerDuringTheCheckAndDefaultAfterwardsOnEveryPath) {
    for (int status : {200, 404}) {
        SCOPED_TRACE(status);
        server.reply.status = status;
        bool busyDuringCheck = false;
        server.onRequest = [&] { busyDuringCheck = about::busyPointerShown(); };
        runAbout();
        EXPECT_TRUE(busyDuringCheck);
        EXPECT_FALSE(pointerBusyWhileShown);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST_F(AboutCommand, LeavesAndReentersTheTopmostBandWhenAlwaysOnTopIsChecked) {
    ASSERT_TRUE(ui(*f.window).altop->isChecked());
    f.fakes.layer.calls.clear();
    runAbout();
    EXPECT_FALSE(topmostWhileShown);
    EXPECT_EQ(f.fakes.layer.calls, (std::vector<bool>{false, true}));
    EXPECT_TRUE(f.fakes.layer.topmost);
    EXPECT_TRUE(ui(*f.window).altop->isChecked());
}

TEST_F(AboutCommand, LeavesTheTopmostStateAloneWhenAlwaysOnTopIsClear) {
    ui(*f.window).altop->trigger();
    ASSERT_FALSE(ui(*f.window).altop->isChecked());
    f.fakes.layer.calls.clear();
    runAbout();
    EXPECT_TRUE(f.fakes.layer.calls.empty());
    EXPECT_FALSE(f.fakes.layer.topmost);
    EXPECT_FALSE(ui(*f.window).altop->isChecked());
}

TEST_F(AboutCommand, ServerThatNeverAnswersStillOpensTheWindowAfterTheTimeOut) {
    server.reply.never = true;
    QElapsedTimer clock;
    clock.start();
    runAbout();
    EXPECT_EQ(timesShown, 1);
    EXPECT_EQ(shownWith, "");
    EXPECT_FALSE(pointerBusyWhileShown);
    EXPECT_LT(clock.elapsed(), 15000);
}

TEST_F(AboutCommand, CheckVersionButtonRunsTheManualCheck) {
    runAbout([&](AboutWindow& about) {
        server.reply.body = "1.2\r\n";
        controls(about).Command2->click();
        EXPECT_TRUE(waitUntil([&] { return !f.fakes.dialogs.messages.empty(); }));
    });
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fakes.dialogs.messages[0].text, "New update avaliable online: 1.2");
    EXPECT_EQ(server.paths.size(), 2);
}

TEST_F(AboutCommand, EachAboutStartsFromTheDesignState) {
    runAbout();
    EXPECT_EQ(shownWith, "You have the latest Version: 1.1");
    server.reply.body = "2.0";
    runAbout();
    EXPECT_EQ(shownWith, "New update avaliable online!");
    ASSERT_EQ(f.fakes.downloader.calls.size(), 2u);
    EXPECT_EQ(f.fakes.downloader.calls[1].timeoutMs, 4000);
}

} // namespace
} // namespace tinctora::testing
