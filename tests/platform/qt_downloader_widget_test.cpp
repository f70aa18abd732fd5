// The program's downloader against a real HTTP server on 127.0.0.1: on Linux the network module,
// loaded as the program loads it; on Windows Qt Network in the program itself.
#include "program_downloader.h"
#include "test_files.h"
#include "test_http_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace tinctora::testing {
namespace {

using platform::Downloader;
using platform::DownloadOutcome;
using Status = DownloadOutcome::Status;

struct DownloaderFixture : ::testing::Test {
    QTemporaryDir folder;
    TestHttpServer server;
    ProgramDownloader downloader;

    QString localPath() const { return folder.path() + "/qor.ini"; }
    QUrl url() const { return QUrl(server.base() + "/qor.ini"); }
    DownloadOutcome fetch(int timeoutMs = 10000) {
        return fetchWith(downloader, url(), localPath(), timeoutMs, true);
    }
    // Starts the download and runs the event loop until its outcome is in.
    static DownloadOutcome fetchWith(Downloader& d, const QUrl& from, const QString& to,
                                     int timeoutMs, bool keepUserInputOut) {
        std::optional<DownloadOutcome> outcome;
        d.download(from, to, timeoutMs, keepUserInputOut,
                   [&outcome](const DownloadOutcome& o) { outcome = o; });
        EXPECT_TRUE(QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 60000));
        return outcome.value_or(DownloadOutcome{Status::Failed, "no outcome"});
    }
    void writeLocal(const QByteArray& bytes) const {
        QFile file(localPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readLocal() const { return fileBytes(localPath()); }
};

TEST_F(DownloaderFixture, StoresATextReplyInPlaceOfTheLocalCopy) {
    ASSERT_TRUE(server.listening());
    writeLocal("old copy");
    server.reply.body = "1.2\r\nrest\r\n";
    const DownloadOutcome outcome = fetch();
    EXPECT_EQ(outcome.status, Status::Stored) << outcome.detail.toStdString();
    EXPECT_EQ(readLocal(), "1.2\r\nrest\r\n");
    EXPECT_EQ(server.paths, QStringList{"/qor.ini"});
}

TEST_F(DownloaderFixture, StoresAReplyWithoutAnnouncedLength) {
    server.reply.announceLength = false;
    server.reply.body = "1.1";
    EXPECT_EQ(fetch().status, Status::Stored);
    EXPECT_EQ(readLocal(), "1.1");
}

TEST_F(DownloaderFixture, HttpErrorStatusFailsAndKeepsTheOldCopy) {
    for (int status : {404, 500, 403, 100 + 99}) {
        writeLocal("old copy");
        server.reply.status = status;
        server.reply.body = "1.1";
        EXPECT_EQ(fetch().status, Status::Failed) << status;
        EXPECT_EQ(readLocal(), "old copy") << status;
    }
}

TEST_F(DownloaderFixture, RedirectIsAFailureAndIsNotFollowed) {
    TestHttpServer elsewhere;
    for (int status : {301, 302, 307}) {
        server.reply.status = status;
        server.reply.headers = {{"Location", (elsewhere.base() + "/qor.ini").toLatin1()}};
        const DownloadOutcome outcome = fetch();
        EXPECT_EQ(outcome.status, Status::Failed) << status;
        EXPECT_TRUE(outcome.detail.contains("redirect")) << outcome.detail.toStdString();
    }
    EXPECT_TRUE(elsewhere.paths.isEmpty());
    EXPECT_FALSE(QFile::exists(localPath()));
}

TEST_F(DownloaderFixture, ReplyOver64KiBFailsWhetherAnnouncedOrNot) {
    server.reply.body = QByteArray(1024 * 1024, '1');
    EXPECT_EQ(fetch().status, Status::Failed);
    server.reply.announceLength = false; // counted as the bytes arrive
    EXPECT_EQ(fetch().status, Status::Failed);
    EXPECT_FALSE(QFile::exists(localPath()));
}

TEST_F(DownloaderFixture, SixtyFourKiBIsTheLastSizeStored) {
    server.reply.body = QByteArray(Downloader::kMaxBytes, 'x');
    EXPECT_EQ(fetch().status, Status::Stored);
    EXPECT_EQ(readLocal().size(), Downloader::kMaxBytes);
    server.reply.body += 'x';
    server.reply.announceLength = false;
    EXPECT_EQ(fetch().status, Status::Failed);
}

TEST_F(DownloaderFixture, BodyThatIsNotTextFails) {
    server.reply.body = QByteArray("1.1\0\0\0", 6);
    EXPECT_EQ(fetch().status, Status::Failed);
    server.reply.body = "\x89PNG\r\n\x1A\n";
    EXPECT_EQ(fetch().status, Status::Failed);
    EXPECT_FALSE(QFile::exists(localPath()));
}

TEST_F(DownloaderFixture, ServerThatNeverAnswersIsAbortedAtTheTimeOut) {
    writeLocal("old copy");
    server.reply.never = true;
    QElapsedTimer clock;
    clock.start();
    const DownloadOutcome outcome = fetch(600);
    EXPECT_EQ(outcome.status, Status::TimedOut);
    EXPECT_GE(clock.elapsed(), 550);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(readLocal(), "old copy");
}

TEST_F(DownloaderFixture, KeepingUserInputOutTakesNoClicksUntilTheOutcome) {
    server.reply.never = true;
    QPushButton button("Check Version");
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    const auto clickFromTheWindowSystem = [&button] {
        QTest::mouseClick(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
    };
    for (const bool keepUserInputOut : {true, false}) {
        SCOPED_TRACE(keepUserInputOut);
        clicks = 0;
        bool ended = false;
        // Long enough that a busy machine still clicks before the time-out ends the wait.
        downloader.download(url(), localPath(), 2000, keepUserInputOut,
                            [&](const DownloadOutcome&) { ended = true; });
        clickFromTheWindowSystem();
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks, keepUserInputOut ? 0 : 1);
        ASSERT_TRUE(QTest::qWaitFor([&ended] { return ended; }, 10000));
        clickFromTheWindowSystem();
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks, keepUserInputOut ? 1 : 2) << "clicks count again after the outcome";
    }
}

TEST_F(DownloaderFixture, SlowReplyWithinTheTimeOutIsStoredAndTheLoopKeepsRunning) {
    server.reply.delayMs = 700;
    int ticks = 0;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&] { ++ticks; });
    painter.start(50);
    EXPECT_EQ(fetch(5000).status, Status::Stored);
    EXPECT_GE(ticks, 5) << "timers and painting go on while the download waits";
}

TEST_F(DownloaderFixture, NoServerFailsAtOnce) {
    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        port = closed.serverPort();
    }
    QElapsedTimer clock;
    clock.start();
    const DownloadOutcome outcome =
        fetchWith(downloader, QUrl(QString("http://127.0.0.1:%1/qor.ini").arg(port)), localPath(),
                  10000, false);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(DownloaderFixture, UnwritableLocalCopyFails) {
    const DownloadOutcome outcome =
        fetchWith(downloader, url(), folder.path() + "/missing/qor.ini", 10000, true);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(server.paths.size(), 1);
}

#ifndef _WIN32 // Windows has no network module: Qt Network is inside the program
TEST_F(DownloaderFixture, MissingOrBrokenModuleFailsWithTheReasonOnEveryDownload) {
    const QString qtCore = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libQt6Core.so.6";
    ASSERT_TRUE(QFile::exists(qtCore));
    const struct {
        const char* what;
        std::function<void(const QString& modulePath)> make;
        QString reason;
    } cases[] = {
        {"no module", [](const QString&) {}, "No such file"},
        {"not a library",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(QByteArray(4096, 'x'));
         },
         "ELF"},
        {"a library without the downloader",
         [&](const QString& path) { ASSERT_TRUE(QFile::link(qtCore, path)); },
         "tinctora_make_downloader"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir programFolder;
        c.make(programFolder.filePath(platform::network::ModuleDownloader::moduleFileName()));
        writeLocal("old copy");
        platform::network::ModuleDownloader withoutModule(programFolder.path());
        for (int attempt = 0; attempt < 2; ++attempt) {
            const DownloadOutcome outcome =
                fetchWith(withoutModule, url(), localPath(), 10000, true);
            EXPECT_EQ(outcome.status, Status::Failed);
            EXPECT_TRUE(outcome.detail.startsWith("the network module could not be loaded: "))
                << outcome.detail.toStdString();
            EXPECT_TRUE(outcome.detail.contains(c.reason)) << outcome.detail.toStdString();
        }
        EXPECT_EQ(readLocal(), "old copy");
    }
    EXPECT_TRUE(server.paths.isEmpty());
}
#endif

} // namespace
} // namespace tinctora::testing
