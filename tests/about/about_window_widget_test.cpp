// The About window: its layout, and the automatic and manual version checks against a real
// HTTP server on 127.0.0.1.
#include "about/screen_pointer.h"
#include "about_test_support.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

using Window = about::AboutWindow;
using platform::MessageButtons;
using platform::MessageIcon;

struct AboutWindow : ::testing::Test {
    AboutWindow() { downloadForReal(fakes.downloader, realDownloader); }
    ~AboutWindow() override { about::showDefaultPointer(); }

    Window& load() {
        window =
            std::make_unique<Window>(fakes.platform, folder.path() + "/qor.ini", server.base());
        return *window;
    }
    // The automatic check against a server that sends this version file.
    QString autoCheck(const QByteArray& versionFile) {
        server.reply.body = versionFile;
        checkAndWait(load());
        return controls(*window).Label6->text();
    }
    void checkAndWait(Window& w) {
        bool checked = false;
        w.checkForUpdate([&checked] { checked = true; });
        EXPECT_TRUE(waitUntil([&checked] { return checked; })) << "the check never ended";
    }
    // The manual check, up to its message.
    void manualCheck(Window& w, bool click = false) {
        const std::size_t before = fakes.dialogs.messages.size();
        if (click)
            controls(w).Command2->click();
        else
            w.checkNow();
        EXPECT_TRUE(waitUntil([&] { return fakes.dialogs.messages.size() > before; }))
            << "the check never ended";
    }
    QString localCopy() const { return folder.path() + "/qor.ini"; }

    QTemporaryDir folder;
    TestHttpServer server;
    platform::fake::FakePlatform fakes;
    ProgramDownloader realDownloader;
    std::unique_ptr<Window> window;
};

// --- Layout --------------------------------------------------------------------------------

TEST_F(AboutWindow, LayoutCaptionsAndFontsAsDesigned) {
    Window& w = load();
    EXPECT_EQ(w.windowTitle(), "About Tinctora 1.1");
    EXPECT_EQ(w.size(), QSize(419, 319));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "fixed dialog border";
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
    EXPECT_FALSE(w.windowIcon().isNull());

    const struct {
        QLabel* label;
        QRect geometry;
        QString text;
        qreal points;
        bool bold;
    } labels[] = {
        {controls(w).Label1, {0, 0, 417, 81}, "Tinctora", 36, true},
        {controls(w).Label3, {0, 64, 417, 33}, "Version 1.1", 15.75, true},
        {controls(w).Label4, {0, 96, 417, 57}, "", 15.75, false},
        {controls(w).Label5,
         {0, 168, 417, 33},
         "Visit us on the web at: tinctora.example",
         15.75,
         false},
        {controls(w).Label6, {0, 216, 417, 33}, "You have the latest Version", 15.75, false},
        {controls(w).Label2, {0, 248, 417, 33}, "", 15.75, false},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.label->objectName().toStdString());
        EXPECT_EQ(l.label->geometry(), l.geometry);
        if (!l.text.isEmpty()) {
            EXPECT_EQ(l.label->text(), l.text);
        }
        EXPECT_DOUBLE_EQ(l.label->font().pointSizeF(), l.points);
        EXPECT_EQ(l.label->font().bold(), l.bold);
        EXPECT_TRUE(l.label->font().families().startsWith("Tahoma"));
        EXPECT_TRUE(l.label->alignment() & Qt::AlignHCenter);
        EXPECT_EQ(l.label->textFormat(), Qt::PlainText);
        EXPECT_FALSE(l.label->autoFillBackground()) << "drawn over the picture";
    }
    EXPECT_TRUE(controls(w).Label4->text().contains("Tinctora 1.1"));
    EXPECT_EQ(controls(w).Label2->palette().color(QPalette::WindowText), QColor(Qt::white));

    EXPECT_EQ(controls(w).Image1->geometry(), QRect(-32, -56, 600, 400));
    ASSERT_FALSE(controls(w).Image1->pixmap().isNull());
    EXPECT_EQ(controls(w).Image1->pixmap().size(), QSize(600, 400));
    EXPECT_EQ(w.children().indexOf(controls(w).Image1), 0) << "lowest in the stacking order";

    EXPECT_EQ(controls(w).Command1->text(), "OK");
    EXPECT_EQ(controls(w).Command1->geometry(), QRect(112, 288, 81, 25));
    EXPECT_EQ(controls(w).Command2->text(), "Check Version");
    EXPECT_EQ(controls(w).Command2->geometry(), QRect(216, 288, 81, 25));
    EXPECT_EQ(controls(w).Command1->palette().color(QPalette::Button), QColor(Qt::white));
    EXPECT_EQ(controls(w).Command1->nextInFocusChain(), controls(w).Command2);
}

TEST_F(AboutWindow, CaptionsFitTheirLabels) {
    Window& w = load();
    for (QLabel* label : {controls(w).Label1, controls(w).Label3, controls(w).Label5,
                          controls(w).Label6, controls(w).Label2}) {
        const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(width, label->width()) << label->objectName().toStdString() << " on "
                                         << QFontInfo(label->font()).family().toStdString();
    }
    const QRect credit = QFontMetrics(controls(w).Label4->font())
                             .boundingRect(QRect(0, 0, controls(w).Label4->width(), 1000),
                                           Qt::TextWordWrap, controls(w).Label4->text());
    EXPECT_LE(credit.height(), controls(w).Label4->height() + 8);
}

TEST_F(AboutWindow, OkClosesTheWindow) {
    Window& w = load();
    w.show();
    controls(w).Command1->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

// --- Automatic check -------------------------------------------------------------------------

TEST_F(AboutWindow, AutomaticCheckReportsTheSameVersionAndDeletesTheCopy) {
    EXPECT_EQ(autoCheck("1.1\r\n"), "You have the latest Version: 1.1");
    EXPECT_EQ(server.paths, QStringList{"/qor.ini"});
    EXPECT_FALSE(fileExists(localCopy()));
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    ASSERT_EQ(fakes.downloader.calls.size(), 1u);
    const auto& call = fakes.downloader.calls[0];
    EXPECT_EQ(call.url, QUrl(server.base() + "/qor.ini"));
    EXPECT_EQ(call.localPath, localCopy());
    EXPECT_EQ(call.timeoutMs, 4000);
    EXPECT_TRUE(call.keepUserInputOut);
}

TEST_F(AboutWindow, AutomaticCheckReportsAnyOtherVersionAsAnUpdate) {
    for (const char* file : {"1.2\r\n", "1.0\r\n", "1.10\r\n", "[Version]\r\nCurrent=1.1\r\n"}) {
        EXPECT_EQ(autoCheck(file), "New update avaliable online!") << file;
        EXPECT_FALSE(fileExists(localCopy())) << file;
    }
}

TEST_F(AboutWindow, EmptyVersionFileEmptiesTheLabelAndLeavesTheCopy) {
    EXPECT_EQ(autoCheck(""), "");
    EXPECT_TRUE(fileExists(localCopy())) << "stored, then not read: it stays behind";
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(AboutWindow, FailedTransfersEmptyTheLabelWithoutAMessage) {
    server.reply.status = 404;
    EXPECT_EQ(autoCheck("1.1"), "");
    server.reply.status = 200;
    EXPECT_EQ(autoCheck(QByteArray(1024 * 1024, '1')), "") << "1 MiB reply";
    server.reply.headers = {{"Location", "http://elsewhere.invalid/qor.ini"}};
    server.reply.status = 302;
    EXPECT_EQ(autoCheck("1.1"), "") << "redirect";
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_FALSE(fileExists(localCopy()));
}

TEST_F(AboutWindow, AutomaticCheckAbortsAFiveSecondReplyAndKeepsTheOldCopy) {
    writeFile(localCopy(), "left by an earlier check");
    server.reply.delayMs = 5000;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(autoCheck("1.1\r\n"), "");
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(fileBytes(localCopy()), "left by an earlier check")
        << "the reply that came too late was not stored";
}

TEST_F(AboutWindow, AutomaticCheckEndsAtTheTimeOutWhenTheServerNeverAnswers) {
    server.reply.never = true;
    about::showBusyPointer();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(autoCheck("1.1"), "");
    EXPECT_GE(clock.elapsed(), 3500);
    EXPECT_LT(clock.elapsed(), 12000) << "ends at about 4 s, never hangs";
    EXPECT_FALSE(about::busyPointerShown());
    EXPECT_EQ(server.paths.size(), 1);
}

TEST_F(AboutWindow, AutomaticCheckTakesATimedOutTransferAsAFailureWhateverTheCopyHolds) {
    Window& w = load();
    fakes.downloader.respond = [&](const platform::fake::FakeDownloader::Call& call) {
        writeFile(call.localPath, "1.1\r\n"); // left by an earlier check
        return platform::DownloadOutcome{platform::DownloadOutcome::Status::TimedOut, {}};
    };
    checkAndWait(w);
    EXPECT_EQ(controls(w).Label6->text(), "");
    EXPECT_TRUE(fileExists(localCopy()));
}

TEST_F(AboutWindow, AutomaticCheckShowsTheDefaultPointerOnEveryPath) {
    for (int status : {200, 404}) {
        about::showBusyPointer();
        server.reply.status = status;
        autoCheck("1.1");
        EXPECT_FALSE(about::busyPointerShown()) << status;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << status;
    }
}

// --- Manual check ----------------------------------------------------------------------------

TEST_F(AboutWindow, ManualCheckReportsTheSameVersionThenDeletesTheCopy) {
    Window& w = load();
    bool copyWhileMessageOpen = false;
    fakes.dialogs.whileOpen = [&] { copyWhileMessageOpen = fileExists(localCopy()); };
    manualCheck(w, true);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    const auto& m = fakes.dialogs.messages[0];
    EXPECT_EQ(m.text, "You have the latest Version: 1.1");
    EXPECT_EQ(m.title, "Version");
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(controls(w).Label6->text(), "You have the latest Version: 1.1");
    EXPECT_TRUE(copyWhileMessageOpen) << "deleted when the message has been dismissed";
    EXPECT_FALSE(fileExists(localCopy()));
    ASSERT_EQ(fakes.downloader.calls.size(), 1u);
    EXPECT_EQ(fakes.downloader.calls[0].timeoutMs, 15000);
    EXPECT_TRUE(fakes.downloader.calls[0].keepUserInputOut);
}

TEST_F(AboutWindow, ManualCheckWithANewVersionNamesItInTheMessageOnly) {
    server.reply.body = "1.2\r\n";
    Window& w = load();
    manualCheck(w);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0].text, "New update avaliable online: 1.2");
    EXPECT_EQ(fakes.dialogs.messages[0].title, "New Update - Visit tinctora.example!");
    EXPECT_EQ(fakes.dialogs.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(controls(w).Label6->text(), "New update avaliable online!");
    EXPECT_FALSE(fileExists(localCopy()));
}

TEST_F(AboutWindow, ManualCheckFailuresShowOneMessageAndKeepTheLabel) {
    const struct {
        int status;
        QByteArray body;
    } failures[] = {{404, "1.1"}, {500, "1.1"}, {200, ""}, {200, QByteArray("\0\0", 2)}};
    for (const auto& f : failures) {
        fakes.dialogs.messages.clear();
        server.reply.status = f.status;
        server.reply.body = f.body;
        Window& w = load();
        controls(w).Label6->setText("from the automatic check");
        manualCheck(w);
        ASSERT_EQ(fakes.dialogs.messages.size(), 1u) << f.status;
        const auto& m = fakes.dialogs.messages[0];
        EXPECT_EQ(m.text, "Can not check for version at this time!");
        EXPECT_EQ(m.title, "Error! Please visit tinctora.example");
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        EXPECT_EQ(controls(w).Label6->text(), "from the automatic check");
    }
}

#ifndef _WIN32 // Windows has no network module: Qt Network is inside the program
TEST_F(AboutWindow, WithoutTheNetworkModuleBothChecksFailAsAnyTransferWould) {
    QTemporaryDir programFolder;
    platform::network::ModuleDownloader withoutModule(programFolder.path());
    downloadForReal(fakes.downloader, withoutModule);
    EXPECT_EQ(autoCheck("1.1\r\n"), "");
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    manualCheck(*window);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0].text, "Can not check for version at this time!");
    EXPECT_TRUE(server.paths.isEmpty());
}
#endif

TEST_F(AboutWindow, ManualCheckWaitsForAFiveSecondReply) {
    server.reply.body = "1.1\r\n";
    server.reply.delayMs = 5000;
    QElapsedTimer clock;
    clock.start();
    manualCheck(load());
    EXPECT_GE(clock.elapsed(), 4500);
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0].text, "You have the latest Version: 1.1");
}

TEST_F(AboutWindow, ManualCheckGivesUpAfterFifteenSecondsAndKeepsPainting) {
    server.reply.never = true;
    int ticks = 0;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&] { ++ticks; });
    painter.start(100);
    QElapsedTimer clock;
    clock.start();
    manualCheck(load());
    EXPECT_GE(clock.elapsed(), 14000);
    EXPECT_LT(clock.elapsed(), 30000) << "ends at about 15 s, never hangs";
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0].text, "Can not check for version at this time!");
    EXPECT_GE(ticks, 50) << "the event loop ran while the check waited";
}

TEST_F(AboutWindow, ManualCheckLeavesTheMousePointerAlone) {
    about::showBusyPointer();
    manualCheck(load());
    EXPECT_TRUE(about::busyPointerShown());
}

// --- Text from the server is never read as HTML ------------------------------------------------

TEST_F(AboutWindow, HtmlInTheVersionItemIsShownLiterally) {
    server.reply.body = "<b>2.0</b><img src=x>\r\n";
    platform::qt::QtDialogs realDialogs;
    platform::Platform withRealDialogs{fakes.pointer, fakes.screen,     fakes.keys,  fakes.layer,
                                       fakes.shell,   fakes.downloader, realDialogs, fakes.grabber,
                                       fakes.mover,   QString()};
    Window w(withRealDialogs, localCopy(), server.base());
    QString shownText;
    Qt::TextFormat shownFormat = Qt::RichText;
    WhenShownModally<QMessageBox> answer(
        [&](QMessageBox& box) {
            shownText = box.text();
            shownFormat = box.textFormat();
        },
        [](QMessageBox& box) { box.accept(); });
    w.checkNow();
    EXPECT_TRUE(waitUntil([&] { return answer.shown == 1 && !QApplication::activeModalWidget(); }));
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(shownText, "New update avaliable online: <b>2.0</b><img src=x>");
    EXPECT_EQ(shownFormat, Qt::PlainText);
    EXPECT_EQ(controls(w).Label6->textFormat(), Qt::PlainText);
}

} // namespace
} // namespace tinctora::testing
