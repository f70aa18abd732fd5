// Saving a palette must never leave half a file: a writer killed at any moment leaves either the
// palette as it was or the new one. palette_save_driver saves in a loop and is killed with
// SIGKILL at random moments.
#include "palette/palette_file.h"
#include "palette_save_rows.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <set>

#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tinctora::testing {
namespace {

constexpr int kRuns = 200;

std::set<QByteArray> paletteFilesOfTheRows() {
    std::set<QByteArray> files;
    for (const palette::SlotTexts& row : savedRows())
        files.insert(QByteArray::fromStdString(palette::writePalette(row)));
    return files;
}

// Starts the driver on path; returns once it has completed its first save.
pid_t startSaving(const QString& path, const char* mode) {
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    const QByteArray file = QFile::encodeName(path);
    char* argv[] = {const_cast<char*>(PALETTE_SAVE_DRIVER), const_cast<char*>(file.constData()),
                    const_cast<char*>(mode), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, PALETTE_SAVE_DRIVER, &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    pollfd wait{ready[0], POLLIN, 0};
    char byte = 0;
    if (pid > 0 && (::poll(&wait, 1, 20000) != 1 || ::read(ready[0], &byte, 1) != 1)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    ::close(ready[0]);
    return pid;
}

struct CrashRuns {
    int torn = 0;
    QByteArray firstTorn;
    std::set<QByteArray> seen;
};

// Kills a saving driver kRuns times at a random moment (0 to 6 ms after its first save) and
// checks the file after each kill. Stops early at the first torn file when stopAtFirstTorn.
CrashRuns killWhileSaving(const QString& path, const char* mode, bool stopAtFirstTorn) {
    const std::set<QByteArray> whole = paletteFilesOfTheRows();
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayUs(0, 6000);
    CrashRuns runs;
    for (int run = 0; run < kRuns; ++run) {
        const pid_t pid = startSaving(path, mode);
        if (pid <= 0) {
            ADD_FAILURE() << "the save driver did not start or never completed a save";
            break;
        }
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const QByteArray bytes = fileBytes(path);
        runs.seen.insert(bytes);
        if (!whole.contains(bytes)) {
            if (runs.torn++ == 0)
                runs.firstTorn = bytes;
            if (stopAtFirstTorn)
                break;
        }
    }
    return runs;
}

TEST(PaletteSaveCrash, AKilledSaveLeavesTheOldOrTheNewPaletteNeverAMix) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/default.ini";
    ASSERT_TRUE(palette::writePaletteFile(path, savedRows()[1]));

    const CrashRuns runs = killWhileSaving(path, "", false);
    EXPECT_EQ(runs.torn, 0) << "torn file, e.g.:\n" << runs.firstTorn.toStdString();
    EXPECT_GE(runs.seen.size(), 2u) << "the kills should land at different points of the loop";

    // A kill between writing the temporary file and renaming it leaves the temporary file behind.
    // Its name never ends in ".ini", so no palette list ever shows it.
    const QStringList debris = QDir(folder.path()).entryList(QDir::Files).filter("default.ini.");
    RecordProperty("temporary_files_left", static_cast<int>(debris.size()));
    EXPECT_TRUE(QDir(folder.path()).entryList({"*.ini"}, QDir::Files) == QStringList{"default.ini"})
        << debris.join(", ").toStdString();
}

TEST(PaletteSaveCrash, TheCheckCatchesAWriterThatWritesInPlace) {
    // Proof that the test above can fail: the same kills against a writer that truncates the file
    // and rewrites it byte by byte.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/default.ini";
    const CrashRuns runs = killWhileSaving(path, "--in-place", true);
    EXPECT_GT(runs.torn, 0);
}

TEST(PaletteSaveFull, ASaveThatRunsOutOfSpaceKeepsTheOldPalette) {
    // A file size limit below the palette's size makes the write fail as a full disk does.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/default.ini";
    ASSERT_TRUE(palette::writePaletteFile(path, palette::emptySlots()));
    const QByteArray before = fileBytes(path);
    const QByteArray file = QFile::encodeName(path);

    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const rlimit small{40, 40};
        ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::execl(PALETTE_SAVE_DRIVER, PALETTE_SAVE_DRIVER, file.constData(), "--once", nullptr);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the save reports that it failed";
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"default.ini"})
        << "the failed save removes its temporary file";
}

} // namespace
} // namespace tinctora::testing
