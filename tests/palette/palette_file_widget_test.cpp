// Palette files read by their full names, whatever letters the folders hold: on Windows, where a
// narrow file name is in the ANSI code page, as on Linux.
#include "palette/palette_file.h"
#include "platform/atomic_file.h"
#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace tinctora::testing {
namespace {

TEST(FileInputStream, ReadsEveryByteOfFilesInFoldersOfAnyName) {
    QTemporaryDir parent;
    ASSERT_TRUE(parent.isValid());
    struct Case {
        const char* folder; // UTF-8
        const char* file;
        int size;
    };
    // Sizes around the stream's buffer, so that the bytes on both sides of each refill count.
    const Case cases[] = {
        {"Цвета 色", "default.ini", 0},   {"Цвета 色", "Ölfarben 色.ini", 1},
        {"Farben Ü", "a.gpl", 16 * 1024}, {"色/Цвета", "b.ini", 16 * 1024 + 1},
        {"plain", "c.ini", 100 * 1000},
    };
    for (const Case& c : cases) {
        const QString folder = parent.path() + "/" + QString::fromUtf8(c.folder);
        ASSERT_TRUE(QDir().mkpath(folder)) << c.folder;
        const QString path = folder + "/" + QString::fromUtf8(c.file);
        std::string bytes(static_cast<std::size_t>(c.size), '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] =
                static_cast<char>((i * 7 + i / 251) & 0xFF); // every byte value, CR and LF too
        ASSERT_TRUE(platform::writeFileAtomically(path, bytes)) << c.folder;

        palette::FileInputStream in(path);
        ASSERT_TRUE(in) << c.folder << "/" << c.file;
        const std::string read{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        EXPECT_EQ(read.size(), bytes.size()) << c.folder << "/" << c.file;
        EXPECT_TRUE(read == bytes) << c.folder << "/" << c.file;
        EXPECT_FALSE(in.bad()) << c.folder << "/" << c.file;
    }
    EXPECT_FALSE(palette::FileInputStream(parent.path() + "/Цвета 色/missing.ini"));
}

TEST(FileInputStream, APaletteInAFolderOfAnyNameIsReadWhole) {
    QTemporaryDir parent;
    const QString folder = parent.path() + QString::fromUtf8("/Цвета 色/Pallets");
    ASSERT_TRUE(QDir().mkpath(folder));
    palette::SlotTexts row = palette::emptySlots();
    row[0] = "00000255";
    row[1] = "16711680";
    ASSERT_TRUE(palette::writePaletteFile(folder + "/default.ini", row));
    const palette::FileReadResult read = palette::readPaletteFile(folder + "/default.ini");
    EXPECT_TRUE(read.opened) << read.problem.toStdString();
    EXPECT_EQ(read.content.end, palette::ReadEnd::EndOfFile);
    EXPECT_EQ(read.content.texts, row);
}

#ifdef __linux__
TEST(FileInputStream, AReadThatFailsHalfWaySetsTheBadBit) {
    // Linux refuses to read the first page of a process's memory, which is never mapped.
    palette::FileInputStream in("/proc/self/mem");
    ASSERT_TRUE(in);
    EXPECT_EQ(in.get(), std::char_traits<char>::eof());
    EXPECT_TRUE(in.bad());
}
#endif

} // namespace
} // namespace tinctora::testing
