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

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

using about::frmAbout;
using platform::MessageIcon;
using platform::ShellOpen;

const char kPdfError[] =
    "Error Running PDF Manual! Try installing Adobe Reader or read the Online Manual";

// --- PDF Manual --------------------------------------------------------------------------------

TEST(PdfManual, OpensHelpPdfBesideTheProgram) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    ui(w).pdf->trigger();
    EXPECT_EQ(f.fakes.shell.opened, QStringList{f.folder() + "/Help.pdf"});
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(PdfManual, MissingFileOrNoViewerShowsTheErrorMessage) {
    for (int result : {ShellOpen::kFileNotFound, ShellOpen::kNoAssociation}) {
        MainWindowFixture f;
        app::Form1& w = f.load();
        f.fakes.shell.result = result;
        ui(w).pdf->trigger();
        ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u) << result;
        EXPECT_EQ(f.fakes.dialogs.messages[0].text, kPdfError);
        EXPECT_EQ(f.fakes.dialogs.messages[0].title, "Error!");
        EXPECT_EQ(f.fakes.dialogs.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(f.fakes.dialogs.messages[0].buttons, platform::MessageButtons::Ok);
    }
}

TEST(PdfManual, OtherOutcomesShowNothing) {
    for (int result : {5, 0, 32, ShellOpen::kHandedOver}) {
        MainWindowFixture f;
        app::Form1& w = f.load();
        f.fakes.shell.result = result;
        ui(w).pdf->trigger();
        EXPECT_TRUE(f.fakes.dialogs.messages.empty()) << result;
    }
}

TEST(PdfManual, MissingFileThroughTheDesktopBackend) {
    platform::fake::FakePlatform fakes;
    platform::qt::QtShellOpen desktopShell;
    platform::Platform withDesktopShell{fakes.pointer, fakes.screen,     fakes.keys,    fakes.layer,
                                        desktopShell,  fakes.downloader, fakes.dialogs, QString()};
    QTemporaryDir folder;
    app::Form1 w(withDesktopShell, folder.path());
    ui(w).pdf->trigger();
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0].text, kPdfError);
}

// --- What the desktop's open operation reports ---------------------------------------------------

struct DesktopOpen : ::testing::Test {
    // The outcome, with the desktop answering `accepts`; records what it was handed.
    int open(const QString& target, bool accepts) {
        handed.clear();
        return platform::qt::shellOpenOutcome(target, [&](const QUrl& url) {
            handed << url;
            return accepts;
        });
    }
    QTemporaryDir folder;
    QList<QUrl> handed;
};

TEST_F(DesktopOpen, MissingFileIsFileNotFoundAndTheDesktopIsNotAsked) {
    EXPECT_EQ(open(folder.path() + "/Help.pdf", true), ShellOpen::kFileNotFound);
    EXPECT_TRUE(handed.isEmpty());
}

TEST_F(DesktopOpen, ExistingFileIsHandedOverOrHasNoProgram) {
    const QString pdf = folder.path() + "/Help.pdf";
    writeFile(pdf, "%PDF-1.4");
    EXPECT_GT(open(pdf, true), 32);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0], QUrl::fromLocalFile(pdf));
    EXPECT_EQ(open(pdf, false), ShellOpen::kNoAssociation);
}

TEST_F(DesktopOpen, FolderNamesThatLookLikeAddressPartsStayPartOfThePath) {
    ASSERT_TRUE(QDir(folder.path()).mkpath("Tools #2/Picker?%20"));
    const QString pdf = folder.path() + "/Tools #2/Picker?%20/Help.pdf";
    writeFile(pdf, "%PDF-1.4");
    EXPECT_GT(open(pdf, true), 32);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0].toLocalFile(), pdf);
    EXPECT_EQ(open(folder.path() + "/Tools #2/Help.pdf", true), ShellOpen::kFileNotFound);
}

TEST_F(DesktopOpen, AddressesGoToTheDesktopWithoutAFileCheck) {
    EXPECT_GT(open("http://tinctora.example/qormanual.htm", true), 32);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0], QUrl("http://tinctora.example/qormanual.htm"));
    EXPECT_EQ(open("http://tinctora.example/qormanual.htm", false), ShellOpen::kNoAssociation);
}

// --- Online Manual
// ---------------------------------------------------------------------------------

TEST(OnlineManual, OpensTheManualPageOnTheVendorsServer) {
    MainWindowFixture f;
    app::Form1& w = f.load();
    ui(w).helon->trigger();
    EXPECT_EQ(f.fakes.shell.opened, QStringList{"http://tinctora.example/qormanual.htm"});
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(OnlineManual, AnyResultOf32OrLessShowsTheSiteAddress) {
    for (int result : {0, 2, 31, 32}) {
        MainWindowFixture f;
        app::Form1& w = f.load();
        f.fakes.shell.result = result;
        ui(w).helon->trigger();
        ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u) << result;
        EXPECT_EQ(f.fakes.dialogs.messages[0].text,
                  "Error loading Web Site! - Please go to tinctora.example.");
        EXPECT_EQ(f.fakes.dialogs.messages[0].title, "Error!");
        EXPECT_EQ(f.fakes.dialogs.messages[0].icon, MessageIcon::Critical);
    }
}

// --- About ---------------------------------------------------------------------------------------

struct AboutCommand : ::testing::Test {
    AboutCommand() {
        downloadForReal(f.fakes.downloader, realDownloader);
        f.load(server.base());
    }
    ~AboutCommand() override { about::showDefaultPointer(); }

    // Runs About; `whileShown` sees the About window while it is open, then OK closes it.
    void runAbout(const std::function<void(frmAbout&)>& whileShown = {}) {
        WhenShownModally<frmAbout> watch(
            [&](frmAbout& about) {
                shownWith = about.Label6->text();
                topmostWhileShown = f.fakes.layer.topmost;
                pointerBusyWhileShown = about::busyPointerShown();
                owner = about.parentWidget();
                modal = about.isModal();
                shownWindow = &about;
                if (whileShown)
                    whileShown(about);
            },
            [](frmAbout& about) { about.Command1->click(); });
        ui(*f.window).abo->trigger();
        timesShown = watch.shown;
    }

    MainWindowFixture f;
    TestHttpServer server;
    platform::qt::QtDownloader realDownloader;
    int timesShown = 0;
    QString shownWith = "(not shown)";
    bool topmostWhileShown = true;
    bool pointerBusyWhileShown = true;
    QWidget* owner = nullptr;
    bool modal = false;
    QPointer<frmAbout> shownWindow;
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
    runAbout([&](frmAbout& about) {
        server.reply.body = "1.2\r\n";
        about.Command2->click();
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
