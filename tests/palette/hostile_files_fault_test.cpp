// Palette files and folders that are not what they should be: huge, binary, oddly named,
// read-only, or a folder where a file belongs. Each has one defined outcome, and nothing the user
// saved is lost on the way.
#include "palette/palette_file.h"
#include "widget_test_support.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tinctora::testing {
namespace {

using palette::ReadEnd;

// Bytes this process has read from files so far.
std::uint64_t bytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:")
            return value;
    }
    return 0;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A file of `size` bytes made of `line` repeated, written without holding it all in memory.
void writeRepeated(const QString& path, const QByteArray& line, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray block = line.repeated(static_cast<int>((1 << 20) / line.size()));
    for (qint64 left = size; left > 0; left -= block.size())
        ASSERT_EQ(file.write(block.left(static_cast<int>(std::min<qint64>(left, block.size())))),
                  std::min<qint64>(left, block.size()));
}

// A socket bound at the path, as a running program would leave it.
class ListeningSocket {
public:
    explicit ListeningSocket(const QString& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        bound_ = fd_ >= 0 && static_cast<std::size_t>(name.size()) < sizeof(address.sun_path);
        if (bound_) {
            std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
            bound_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        }
    }
    ~ListeningSocket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool bound() const { return bound_; }

private:
    int fd_;
    bool bound_ = false;
};

// The kind of thing at the path, links followed: S_IFIFO, S_IFSOCK, S_IFDIR, ...
mode_t kindAt(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

const QByteArray kTwoColours =
    "00000255\r\n00065280\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

// --- Reading hostile files ----------------------------------------------------------------------

TEST(HostilePaletteFile, AHundredMegabytesOfColoursAreReadOnlyUpToTheFieldLimit) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/huge.ini";
    writeRepeated(path, "00000255\r\n", 100 << 20);

    const std::uint64_t before = bytesReadSoFar();
    const palette::FileReadResult read = palette::readPaletteFile(path);
    const std::uint64_t bytesRead = bytesReadSoFar() - before;

    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.content.end, ReadEnd::ReadFailure) << "the 16-bit field counter runs over";
    EXPECT_EQ(read.content.fieldsRead, palette::kMaxFields);
    for (const std::string& text : read.content.texts)
        EXPECT_EQ(text, "00000255");
    EXPECT_LT(bytesRead, 1u << 20) << "32,767 fields of ten bytes, not the whole file";
}

TEST(HostilePaletteFile, BinaryAndOverlongContentIsReadWithinTheFieldLimit) {
    struct Case {
        const char* what;
        QByteArray bytes;
        int fieldsRead;
        ReadEnd end;
    };
    const Case cases[] = {
        {"a megabyte of NUL bytes", QByteArray(1 << 20, '\0'), 0, ReadEnd::ReadFailure},
        {"a megabyte line without a comma", "255\r\n" + QByteArray(1 << 20, '7'), 1,
         ReadEnd::ReadFailure},
        {"a megabyte of blanks", QByteArray(1 << 20, ' '), 0, ReadEnd::ReadFailure},
        {"invalid UTF-8", "255\r\n\xc3\x28\xff\xfe\r\n65280\r\n", 3, ReadEnd::EndOfFile},
    };
    QTemporaryDir folder;
    for (const Case& c : cases) {
        const QString path = folder.path() + "/hostile.ini";
        writeFile(path, c.bytes);
        const std::uint64_t before = bytesReadSoFar();
        const palette::FileReadResult read = palette::readPaletteFile(path);
        EXPECT_LT(bytesReadSoFar() - before, 256u << 10) << c.what;
        EXPECT_TRUE(read.opened) << c.what;
        EXPECT_EQ(read.content.end, c.end) << c.what;
        EXPECT_EQ(read.content.fieldsRead, c.fieldsRead) << c.what;
    }
}

// Private nodes in the test's own folder: a pipe and a socket (any user may make them), a folder,
// each directly and behind a link. Device nodes need root; the widget tests cover them there.
TEST(HostilePaletteFile, WhatIsNotARegularFileIsNeitherReadNorReplaced) {
    QTemporaryDir folder;
    const QString fifo = folder.path() + "/pipe.ini";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socket = folder.path() + "/socket.ini";
    const ListeningSocket listening(socket);
    ASSERT_TRUE(listening.bound());
    const QString dir = folder.path() + "/folder.ini";
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.ini"));

    for (const QString& node : {fifo, socket, dir}) {
        const mode_t kind = kindAt(node);
        const QString link = node + ".link.ini";
        ASSERT_TRUE(QFile::link(node, link));
        for (const QString& path : {node, link}) {
            // A named pipe would block the start-up forever.
            const palette::FileReadResult read = palette::readPaletteFile(path);
            EXPECT_FALSE(read.opened) << path.toStdString();
            EXPECT_EQ(read.content.end, ReadEnd::ReadFailure) << path.toStdString();
            EXPECT_FALSE(read.problem.isEmpty()) << path.toStdString();

            QString reason;
            EXPECT_FALSE(palette::writePaletteFile(path, palette::emptySlots(), &reason))
                << path.toStdString();
            EXPECT_FALSE(reason.isEmpty()) << path.toStdString();
            EXPECT_EQ(kindAt(path), kind) << path.toStdString();
        }
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link itself stays too";
    }
    EXPECT_FALSE(palette::readPaletteFile(folder.path() + "/missing.ini").opened);
}

TEST(HostilePaletteFile, NamesWithSpacesAndLettersBeyondAsciiWorkLikeAnyOther) {
    QTemporaryDir folder;
    const QString path = folder.path() + QString::fromUtf8("/Mes palettes d’été – Ölfarben 色.ini");
    palette::SlotTexts row = palette::emptySlots();
    row[0] = "00000255";
    row[5] = "33023";
    ASSERT_TRUE(palette::writePaletteFile(path, row));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.path().toStdString()) /
                                        std::filesystem::path(reinterpret_cast<const char8_t*>(
                                            u8"Mes palettes d’été – Ölfarben 色.ini"))))
        << "the name on disk is the UTF-8 of the name shown";
    const palette::FileReadResult read = palette::readPaletteFile(path);
    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.content.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.content.texts, row);
}

// --- Start-up and close with hostile default palettes -------------------------------------------

TEST(HostileDefaultPalette, StartUpKeepsWhatWasReadAndCloseWritesAProperPalette) {
    struct Case {
        const char* what;
        QByteArray bytes;
        std::vector<std::string> kept;
        QString caption;
    };
    const Case cases[] = {
        {"NUL bytes", QByteArray(64 << 10, '\0'), {}, "Saved Colors"},
        {"a long line", "255\r\n" + QByteArray(1 << 20, '7'), {"255"}, "Saved Colors"},
        {"invalid UTF-8",
         "255\r\n\xc3\x28\r\n65280\r\n",
         {"255", "0", "65280"},
         "Saved Colors - Default"},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        f.writeDefaultPalette(c.bytes);
        app::MainWindow& w = f.load();
        palette::SlotTexts expected = palette::emptySlots();
        std::copy(c.kept.begin(), c.kept.end(), expected.begin());
        EXPECT_EQ(w.swatchRow().texts(), expected) << c.what;
        EXPECT_EQ(ui(w).Frame5->title(), c.caption) << c.what;
        EXPECT_FALSE(w.swatchRow().changed()) << c.what;

        w.close();
        EXPECT_TRUE(f.fakes.dialogs.messages.empty()) << c.what;
        // Every colour read is kept; what was not a colour is an empty slot now.
        EXPECT_EQ(f.readDefaultPalette(),
                  QByteArray::fromStdString(palette::writePalette(expected)))
            << c.what;
    }
}

TEST(HostileDefaultPalette, ADefaultPaletteLinkedToAPipeOrSocketIsLeftAsItIs) {
    for (bool pipe : {true, false}) {
        MainWindowFixture f;
        QDir(f.folder()).mkpath("Pallets");
        const QString node = f.folder() + (pipe ? "/pipe" : "/socket");
        std::optional<ListeningSocket> listening;
        if (pipe) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(node).constData(), 0600), 0);
        } else {
            listening.emplace(node);
            ASSERT_TRUE(listening->bound());
        }
        ASSERT_TRUE(QFile::link(node, f.folder() + "/Pallets/default.ini"));
        app::MainWindow& w = f.load();
        EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors");

        w.close();
        ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u) << pipe;
        EXPECT_TRUE(f.fakes.dialogs.messages[0].text.contains(f.folder() + "/Pallets/default.ini"));
        EXPECT_EQ(kindAt(node), pipe ? S_IFIFO : S_IFSOCK);
        EXPECT_TRUE(QFileInfo(f.folder() + "/Pallets/default.ini").isSymLink());
    }
}

TEST(HostileDefaultPalette, AHundredMegabyteDefaultPaletteFillsTheRowAndIsReplacedAtClose) {
    MainWindowFixture f;
    QDir(f.folder()).mkpath("Pallets");
    writeRepeated(f.folder() + "/Pallets/default.ini", "00000255\r\n", 100 << 20);
    app::MainWindow& w = f.load();
    for (const std::string& text : w.swatchRow().texts())
        EXPECT_EQ(text, "00000255");
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors");
    w.close();
    EXPECT_EQ(f.readDefaultPalette().size(), 12 * 10);
}

TEST(HostileDefaultPalette, APalletsThatIsAFileIsNeitherReadNorReplaced) {
    MainWindowFixture f;
    writeFile(f.folder() + "/Pallets", "my notes\n");
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors");

    w.close();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_TRUE(f.fakes.dialogs.messages[0].text.contains(f.folder() + "/Pallets/default.ini"));
    EXPECT_EQ(f.fakes.dialogs.messages[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(fileBytes(f.folder() + "/Pallets"), "my notes\n");
}

TEST(HostileDefaultPalette, ADefaultPaletteThatIsAFolderIsNeitherReadNorReplaced) {
    MainWindowFixture f;
    QDir(f.folder()).mkpath("Pallets/default.ini");
    writeFile(f.folder() + "/Pallets/default.ini/keep.txt", "kept");
    app::MainWindow& w = f.load();
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors");

    w.close();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_TRUE(f.fakes.dialogs.messages[0].text.contains("Pallets/default.ini"));
    EXPECT_TRUE(QFileInfo(f.folder() + "/Pallets/default.ini").isDir());
    EXPECT_EQ(fileBytes(f.folder() + "/Pallets/default.ini/keep.txt"), "kept");
}

TEST(HostileDefaultPalette, AProgramFolderWithSpacesAndLettersBeyondAsciiKeepsItsPalette) {
    QTemporaryDir parent;
    const QString programFolder = parent.path() + QString::fromUtf8("/Mes Programmes/Tinctöra 色");
    ASSERT_TRUE(QDir().mkpath(programFolder + "/Pallets"));
    writeFile(programFolder + "/Pallets/default.ini", kTwoColours);
    platform::fake::FakePlatform fakes;
    {
        ManualClock clock;
        app::MainWindow w(fakes.platform, programFolder, about::vendorBaseAddress(),
                          clock.factory());
        w.startUp();
        EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors - Default");
        EXPECT_EQ(w.swatchRow().texts()[1], "00065280");
        fakes.screen.background = 0xFFFFFF;
        ASSERT_TRUE(clock.tick(capture::CaptureController::kSampleIntervalMs));
        w.capture().addCurrent();
        w.close();
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_EQ(fileBytes(programFolder + "/Pallets/default.ini"),
              "00000255\r\n00065280\r\n16777215\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

// --- Folders and files the user may not write -------------------------------------------------

// Root writes through permission bits: these cases are about an ordinary user. fault_tests drops
// root by itself where it can; where it cannot, they are skipped.
#define SKIP_AS_ROOT()                                                                             \
    if (::geteuid() == 0)                                                                          \
    GTEST_SKIP() << "running as root, which permission bits do not stop"

TEST(ReadOnlyPalettes, AReadOnlyPalletsFolderLoadsAndKeepsTheOldDefaultAtClose) {
    SKIP_AS_ROOT();
    MainWindowFixture f;
    f.writeDefaultPalette(kTwoColours);
    ASSERT_TRUE(QFile::setPermissions(f.folder() + "/Pallets", QFile::ReadOwner | QFile::ExeOwner |
                                                                   QFile::ReadUser |
                                                                   QFile::ExeUser));
    app::MainWindow& w = f.load();
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors - Default");
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255");
    emit ui(w).Picture(2)->mousePressed(Qt::LeftButton);
    ui(w).del->trigger();

    w.close();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u) << "the user is told the colours were not saved";
    EXPECT_TRUE(f.fakes.dialogs.messages[0].text.contains("Pallets/default.ini"));
    EXPECT_EQ(f.readDefaultPalette(), kTwoColours);
    EXPECT_EQ(QDir(f.folder() + "/Pallets").entryList(QDir::Files), QStringList{"default.ini"});
    QFile::setPermissions(f.folder() + "/Pallets", QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner); // so it can be removed
}

TEST(ReadOnlyPalettes, AReadOnlyDefaultPaletteIsNotOverwrittenAtClose) {
    SKIP_AS_ROOT();
    MainWindowFixture f;
    f.writeDefaultPalette(kTwoColours);
    ASSERT_TRUE(QFile::setPermissions(f.folder() + "/Pallets/default.ini",
                                      QFile::ReadOwner | QFile::ReadUser));
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.swatchRow().texts()[1], "00065280");
    emit ui(w).Picture(3)->mousePressed(Qt::LeftButton);
    ui(w).del->trigger();

    w.close();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.readDefaultPalette(), kTwoColours);
    EXPECT_EQ(QDir(f.folder() + "/Pallets").entryList(QDir::Files), QStringList{"default.ini"});
}

TEST(ReadOnlyPalettes, SavePalletToAReadOnlyFileSaysSoAndKeepsTheFileAndTheRow) {
    SKIP_AS_ROOT();
    MainWindowFixture f;
    QDir(f.folder()).mkpath("Pallets");
    const QString path = f.folder() + "/Pallets/locked.ini";
    writeFile(path, kTwoColours);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    app::MainWindow& w = f.load();
    f.fakes.dialogs.fileAnswers = {path};
    ui(w).ldpal->trigger();
    ASSERT_EQ(ui(w).Frame5->title(), "Saved Colors - locked");
    ui(w).del->trigger();
    ASSERT_TRUE(w.swatchRow().changed());

    ui(w).svpal->trigger();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 1u);
    EXPECT_TRUE(f.fakes.dialogs.messages[0].text.contains(path));
    EXPECT_EQ(fileBytes(path), kTwoColours);
    // The row is still unsaved: New asks before it drops it.
    f.fakes.dialogs.messageAnswers = {platform::MessageAnswer::Cancel};
    ui(w).nw->trigger();
    ASSERT_EQ(f.fakes.dialogs.messages.size(), 2u);
    EXPECT_EQ(f.fakes.dialogs.messages[1].text, "Save Changes before creating a new Pallet?");
}

} // namespace
} // namespace tinctora::testing
