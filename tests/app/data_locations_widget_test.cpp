#include "app/data_locations.h"
#include "widget_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

// Points the user's data and runtime folders into a fresh temporary folder for one test.
class UserFolders {
public:
    UserFolders() : oldData(qgetenv("XDG_DATA_HOME")), oldRuntime(qgetenv("XDG_RUNTIME_DIR")) {
        QDir(home.path()).mkpath("data");
        QDir(home.path()).mkpath("runtime");
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_DATA_HOME", data().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime().toLocal8Bit());
    }
    ~UserFolders() {
        qputenv("XDG_DATA_HOME", oldData);
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
    }
    QString data() const { return home.path() + "/data"; }
    QString runtime() const { return home.path() + "/runtime"; }

    QTemporaryDir home;

private:
    QByteArray oldData;
    QByteArray oldRuntime;
};

const app::FolderWritableCheck kWritable = [](const QString&) { return true; };
const app::FolderWritableCheck kReadOnly = [](const QString&) { return false; };

TEST(DataLocations, WritableProgramFolderKeepsEverythingBesideTheProgram) {
    UserFolders user;
    QString asked;
    const app::FolderWritableCheck check = [&](const QString& folder) {
        asked = folder;
        return true;
    };
    EXPECT_EQ(app::paletteFolderFor("/opt/tinctora", check), "/opt/tinctora/Pallets");
    EXPECT_EQ(asked, "/opt/tinctora") << "the program's own folder decides";
    EXPECT_EQ(app::versionFileCopyPathFor("/opt/tinctora", kWritable), "/opt/tinctora/qor.ini");
}

TEST(DataLocations, ReadOnlyProgramFolderUsesTheUsersFolders) {
    UserFolders user;
    const QString palettes = app::paletteFolderFor("/usr/lib/tinctora", kReadOnly);
    EXPECT_TRUE(palettes.startsWith(user.data() + "/")) << palettes.toStdString();
    EXPECT_TRUE(palettes.endsWith("/Pallets")) << palettes.toStdString();
    EXPECT_FALSE(QDir(palettes).exists()) << "created by the first save, not by asking";

    const QString copy = app::versionFileCopyPathFor("/usr/lib/tinctora", kReadOnly);
    EXPECT_EQ(copy, user.runtime() + "/tinctora-qor.ini");
}

TEST(DataLocations, WriteProbeTriesForReal) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_TRUE(app::canCreateFilesIn(folder.path()));
    EXPECT_TRUE(QDir(folder.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty())
        << "the probe leaves nothing behind";

    // Folders that refuse new files even to root, and things that are no folder at all.
    EXPECT_FALSE(app::canCreateFilesIn("/proc"));
    EXPECT_FALSE(app::canCreateFilesIn(folder.path() + "/missing"));
    QFile plain(folder.path() + "/plain-file");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_FALSE(app::canCreateFilesIn(plain.fileName()));
    EXPECT_FALSE(app::canCreateFilesIn(QString()));
    // The default check is the probe: an unwritable program folder moves the palettes.
    EXPECT_EQ(app::paletteFolderFor(folder.path()), folder.path() + "/Pallets");
    EXPECT_NE(app::paletteFolderFor("/proc"), "/proc/Pallets");
}

// An installed copy: the palette written at exit comes back at the next start, from the user's
// data folder.
TEST(DataLocations, InstalledCopyKeepsItsPaletteInTheUsersDataFolder) {
    UserFolders user;
    const QString programFolder = "/proc";
    platform::fake::FakePlatform fakes;
    const QString palettes = app::paletteFolderFor(programFolder);
    {
        testing::ManualClock clock;
        app::MainWindow window(fakes.platform, programFolder, about::vendorBaseAddress(),
                               clock.factory());
        window.startUp();
        fakes.pointer.at = platform::ScreenPoint{10, 10};
        fakes.screen.paint({10, 10}, 0x563412);
        ASSERT_TRUE(clock.tick(capture::CaptureController::kSampleIntervalMs));
        window.capture().addCurrent();
        ASSERT_TRUE(window.close());
    }
    EXPECT_TRUE(fileBytes(palettes + "/default.ini").startsWith("05649426\r\n0\r\n"));

    app::MainWindow again(fakes.platform, programFolder);
    again.startUp();
    EXPECT_EQ(again.swatchRow().texts()[0], "05649426");
}

} // namespace
} // namespace tinctora::testing
