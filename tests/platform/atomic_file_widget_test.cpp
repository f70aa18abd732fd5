// The one way files are written: palettes, exported GIMP palettes and the downloaded version file.
#include "platform/atomic_file.h"
#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tinctora::testing {
namespace {

TEST(AtomicFile, WritesExactlyTheBytesOrLeavesWhatWasThere) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        const char* name;                 // inside the test's folder
        std::optional<QByteArray> before; // a file already there, or nothing
        bool folderThere;                 // a folder at the path instead
        std::string bytes;
        bool written;
        QString reason; // the whole reason, or empty where only "some reason" is known
    };
    const Case cases[] = {
        {"a new file", "new.ini", std::nullopt, false, "255\r\n65280\r\n", true, {}},
        {"line ends, NUL and bytes above ASCII stay as given",
         "bytes.ini",
         std::nullopt,
         false,
         "a\nb\r\n\0\xff\x80 "s,
         true,
         {}},
        {"a longer file is replaced whole, no tail of it is left",
         "longer.ini",
         QByteArray(5000, '7'),
         false,
         "1.1",
         true,
         {}},
        {"nothing to write leaves an empty file",
         "empty.ini",
         QByteArray("old"),
         false,
         "",
         true,
         {}},
        {"a folder is never replaced", "folder.ini", std::nullopt, true, "1.1", false,
         "it is a folder"},
        {"a missing folder on the way fails and makes nothing",
         "missing/qor.ini",
         std::nullopt,
         false,
         "1.1",
         false,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        const QString path = folder.filePath(c.name);
        if (c.before) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(*c.before), c.before->size());
        }
        if (c.folderThere) {
            ASSERT_TRUE(QDir(folder.path()).mkdir(c.name));
        }

        QString reason;
        EXPECT_EQ(platform::writeFileAtomically(path, c.bytes, &reason), c.written);
        if (c.written) {
            EXPECT_TRUE(reason.isEmpty()) << reason.toStdString();
            EXPECT_EQ(fileBytes(path), QByteArray::fromStdString(c.bytes));
        } else {
            EXPECT_FALSE(reason.isEmpty());
            if (!c.reason.isEmpty()) {
                EXPECT_EQ(reason, c.reason);
            }
            EXPECT_EQ(QFileInfo(path).isDir(), c.folderThere) << "what was there stays";
            EXPECT_EQ(QFileInfo::exists(path), c.folderThere);
        }
        EXPECT_EQ(platform::whyNotARegularFile(path), c.folderThere ? "it is a folder" : "");
        const QStringList left =
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const bool nothingThere = !c.written && !c.folderThere && !c.before;
        EXPECT_EQ(left, nothingThere ? QStringList{} : QStringList{c.name})
            << "no temporary file is left beside it";
    }
}

} // namespace
} // namespace tinctora::testing
