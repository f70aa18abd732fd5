// Start-up, closing and Always on Top of the main window.
#include "platform/termination_signals.h"
#include "widget_test_support.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>

#include <csignal>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

TEST(MainWindowStart, FirstStartWithoutPalettesFolder) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.windowTitle(), "Tinctora 1.1");
    EXPECT_TRUE(sampling(w));
    EXPECT_TRUE(f.fakes.layer.topmost);
    EXPECT_TRUE(ui(w).altop->isChecked());
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors");
    EXPECT_FALSE(w.swatchRow().changed());
    EXPECT_FALSE(QDir(f.folder() + "/Pallets").exists()) << "start-up does not create the folder";
}

TEST(MainWindowStart, StateAfterLoad) {
    MainWindowFixture f;
    f.writeDefaultPalette("-1207\r\n");
    app::MainWindow& w = f.load();
    EXPECT_EQ(f.fakes.layer.calls, std::vector<bool>{true}) << "made topmost once, at start";
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
    // F2 is armed: the first press adds.
    f.sample(255);
    f.fakes.keys.tap(platform::HotKey::F2);
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255");
    // The default palette is current: Save Pallet writes it, and the file dialogs start in its
    // folder.
    ui(w).svpal->trigger();
    EXPECT_EQ(f.readDefaultPalette(),
              crlfLines({"00000255", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    f.fakes.dialogs.fileAnswers = {""};
    ui(w).svas->trigger();
    ASSERT_EQ(f.fakes.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(f.fakes.dialogs.fileRequests[0].folder, f.folder() + "/Pallets/");
    // Its colours live only in the default palette, which the next exit overwrites: New asks.
    w.capture().addCurrent();
    ASSERT_TRUE(w.swatchRow().changed());
    f.fakes.dialogs.messageAnswers = {platform::MessageAnswer::No};
    ui(w).nw->trigger();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fakes.dialogs.messages[0].text, "Save Changes before creating a new Pallet?");
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty());
}

TEST(MainWindowStart, WithoutAReadableScreenCaptureStaysStoppedAfterOneMessage) {
    MainWindowFixture f;
    f.fakes.platform.captureUnavailableReason = "The screen cannot be read here.";
    f.writeDefaultPalette(crlfLines({"00000255", "-1207"}));
    app::MainWindow& w = f.load();
    EXPECT_FALSE(sampling(w));
    EXPECT_EQ(ui(w).Label8->text(), "Press F3 to start Capture");
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.fakes.dialogs.messages[0].text, "The screen cannot be read here.");
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255") << "the palette is loaded all the same";
}

// --- Closing -----------------------------------------------------------------------------------

TEST(MainWindowClose, CloseWritesTheRowToTheDefaultPalette) {
    MainWindowFixture f;
    f.writeDefaultPalette(crlfLines({"00000255", "-1207"}));
    app::MainWindow& w = f.load();
    w.show();
    f.sample(33023);
    w.capture().addCurrent();
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(sampling(w)) << "no tick after the palette was written";
    EXPECT_EQ(w.capture().mode(), capture::CaptureController::Mode::Stopped);
    EXPECT_EQ(f.readDefaultPalette(), crlfLines({"00000255", "00033023", "0", "0", "0", "0", "0",
                                                 "0", "0", "0", "0", "0"}));
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
    // Nothing but the palette is left in the folder: the write leaves no temporary file behind.
    EXPECT_EQ(QDir(f.folder() + "/Pallets").entryList(QDir::Files | QDir::Hidden),
              QStringList{"default.ini"});
}

TEST(MainWindowClose, RightAfterStartWritesTheUnchangedRowAndCreatesTheFolder) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(f.readDefaultPalette(), "-1207\r\n");
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

TEST(MainWindowClose, RowWithAnEmptyFirstSlotIsWrittenInFull) {
    MainWindowFixture f;
    const QByteArray row =
        crlfLines({"0", "00065280", "0", "0", "0", "0", "0", "0", "0", "0", "0", "16711680"});
    f.writeDefaultPalette(row);
    app::MainWindow& w = f.load();
    w.close();
    EXPECT_EQ(f.readDefaultPalette(), row) << "the later colours are kept";
}

TEST(MainWindowClose, EveryWayOfClosingWritesOnce) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    w.close();
    // Then the application quits, which calls the close handling again; the user has meanwhile
    // changed the file by hand (or another copy wrote it): it is not written a second time.
    f.writeDefaultPalette("00000255\r\n");
    w.saveOnClose();
    EXPECT_EQ(f.readDefaultPalette(), "00000255\r\n");
}

// A close that arrives before Load has run (a signal at the very start): the row was never read
// from the file, so writing it would empty the user's default palette.
TEST(MainWindowClose, BeforeLoadKeepsTheDefaultPaletteAndNeverStarts) {
    MainWindowFixture f;
    const QByteArray saved = crlfLines({"00000255", "-1207"});
    f.writeDefaultPalette(saved);
    f.window = std::make_unique<app::MainWindow>(f.fakes.platform, f.folder());
    app::MainWindow& w = *f.window;
    EXPECT_TRUE(w.close());
    w.startUp(); // the start-up that was already queued
    EXPECT_EQ(f.readDefaultPalette(), saved);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(f.fakes.layer.calls.empty()) << "the closed window is not shown again";
    EXPECT_FALSE(sampling(w));
    EXPECT_EQ(w.capture().mode(), capture::CaptureController::Mode::Stopped);
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
}

// A folder where the default palette cannot be written: Pallets is a file, or default.ini is a
// folder. (Permissions would not stop the tests, which may run as root.)
void expectFailedWriteToldOnceAndClosed(MainWindowFixture& f) {
    app::MainWindow& w = f.load();
    w.show();
    f.sample(255);
    w.capture().addCurrent();
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible()) << "the window closes anyway";
    w.saveOnClose(); // the quitting application's call
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    const auto& message = f.fakes.dialogs.messages[0];
    EXPECT_TRUE(
        message.text.startsWith("Your saved colors could not be written to " +
                                QDir::toNativeSeparators(f.folder() + "/Pallets/default.ini") +
                                ". Check that the folder exists and can be written.\n\nReason: "))
        << message.text.toStdString();
    EXPECT_EQ(message.buttons, platform::MessageButtons::SaveAsRetryOk);
    EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty());
}

TEST(MainWindowClose, PalletsIsAFile) {
    MainWindowFixture f;
    QFile blocker(f.folder() + "/Pallets");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    f.fakes.dialogs.messageAnswers = {platform::MessageAnswer::Ok};
    expectFailedWriteToldOnceAndClosed(f);
    EXPECT_EQ(fileBytes(f.folder() + "/Pallets"), "not a folder")
        << "the file in the way is left as it was";
}

TEST(MainWindowClose, DefaultIniIsAFolder) {
    MainWindowFixture f;
    ASSERT_TRUE(QDir(f.folder()).mkpath("Pallets/default.ini"));
    f.fakes.dialogs.messageAnswers = {platform::MessageAnswer::Ok};
    expectFailedWriteToldOnceAndClosed(f);
    EXPECT_TRUE(QDir(f.folder() + "/Pallets/default.ini").exists());
    EXPECT_TRUE(f.fakes.dialogs.messages[0].text.endsWith("Reason: it is a folder."));
}

// The colours stored in this session can still go somewhere: into another file, or into
// default.ini once the user has mended what was in the way.
TEST(MainWindowClose, AFailedWriteOffersSaveAsAndRetryUntilTheColoursAreKeptOrGivenUp) {
    using platform::MessageAnswer;
    const QByteArray stored =
        crlfLines({"00000255", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    struct Case {
        const char* what;
        std::vector<MessageAnswer> answers;
        std::vector<QString> fileNames; // relative to the program folder; "" cancels
        bool mendBeforeRetry;
        int messages;          // close messages shown
        const char* writtenTo; // where the colours end up, or nothing
    };
    const Case cases[] = {
        {"OK gives up", {MessageAnswer::Ok}, {}, false, 1, nullptr},
        {"Retry after mending", {MessageAnswer::Retry}, {}, true, 1, "Pallets/default.ini"},
        {"Retry while still in the way, then OK",
         {MessageAnswer::Retry, MessageAnswer::Ok},
         {},
         false,
         2,
         nullptr},
        {"Save As into another file",
         {MessageAnswer::SaveAs},
         {"elsewhere"},
         false,
         1,
         "elsewhere.ini"},
        {"Save As cancelled, then OK",
         {MessageAnswer::SaveAs, MessageAnswer::Ok},
         {""},
         false,
         2,
         nullptr},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        ASSERT_TRUE(QDir(f.folder()).mkpath("Pallets/default.ini"));
        app::MainWindow& w = f.load();
        w.show();
        f.sample(255);
        w.capture().addCurrent();
        f.fakes.dialogs.messageAnswers = {c.answers.begin(), c.answers.end()};
        for (const QString& name : c.fileNames)
            f.fakes.dialogs.fileAnswers.push_back(name.isEmpty() ? name : f.folder() + "/" + name);
        if (c.mendBeforeRetry)
            f.fakes.dialogs.whileOpen = [&f] {
                QDir(f.folder() + "/Pallets/default.ini").removeRecursively();
            };
        EXPECT_TRUE(w.close()) << c.what;
        EXPECT_FALSE(w.isVisible()) << c.what;
        EXPECT_EQ(static_cast<int>(f.fakes.dialogs.messages.size()), c.messages) << c.what;
        for (const auto& message : f.fakes.dialogs.messages)
            EXPECT_TRUE(message.text.startsWith("Your saved colors could not be written to "))
                << c.what << ": " << message.text.toStdString();
        if (c.writtenTo) {
            EXPECT_EQ(fileBytes(f.folder() + "/" + c.writtenTo), stored) << c.what;
        }
        EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty())
            << c.what << ": " << f.fakes.dialogs.unexpected.join("; ").toStdString();
    }
}

#ifndef _WIN32
// Termination signals close the window as the close box does. Windows has none to send: it ends
// programs by closing their windows.
class TerminationSignal : public ::testing::TestWithParam<int> {};

TEST_P(TerminationSignal, ClosesTheWindowAndWritesThePalette) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.show();
    f.sample(65280);
    w.capture().addCurrent();
    platform::TerminationSignals signalsToClose;
    QObject::connect(&signalsToClose, &platform::TerminationSignals::terminationRequested, &w,
                     &QWidget::close);
    ASSERT_EQ(std::raise(GetParam()), 0);
    const QDeadlineTimer deadline(20000);
    while (w.isVisible() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(f.readDefaultPalette(),
              crlfLines({"00065280", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

INSTANTIATE_TEST_SUITE_P(MainWindowClose, TerminationSignal,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP));
#endif

// --- Always on Top -----------------------------------------------------------------------------

TEST(AlwaysOnTop, EachClickSwitchesTheCheckMarkAndTheBand) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ui(w).altop->trigger();
    EXPECT_FALSE(ui(w).altop->isChecked());
    EXPECT_FALSE(f.fakes.layer.topmost);
    ui(w).altop->trigger();
    EXPECT_TRUE(ui(w).altop->isChecked());
    EXPECT_TRUE(f.fakes.layer.topmost);
    EXPECT_EQ(f.fakes.layer.calls, (std::vector<bool>{true, false, true}));
}

} // namespace
} // namespace tinctora::testing
