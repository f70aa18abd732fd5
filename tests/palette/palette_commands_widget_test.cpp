// The File menu: New, Open, Save and Save As, with their questions, the frame caption, the
// ".ini" rules and the palette flags.
#include "widget_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include <QPushButton>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace tinctora::testing {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// The worked example: six colours, stored padded from live sampling or plain from the dialog.
const palette::SlotTexts kExample{"00000255", "65280", "16711680", "0",        "05649426", "0",
                                  "0",        "0",     "0",        "00000000", "0",        "1"};

// Shown as "*.ini*"; the patterns in brackets leave out the backups.
const QString kPaletteFilter = "*.ini* (*.ini *.ini[!.]* *.ini.[!b]*)";

QByteArray fileOf(const palette::SlotTexts& r) {
    QByteArray bytes;
    for (const std::string& t : r)
        bytes += QByteArray::fromStdString(t) + "\r\n";
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A window started on the worked example as its default palette.
struct PaletteFixture : MainWindowFixture {
    PaletteFixture() {
        writeDefaultPalette(fileOf(kExample));
        load();
    }
    app::MainWindow& w() { return *window; }
    // Delete with no swatch pressed: the row counts as changed, its slots stay.
    void markChanged() { ui(w()).del->trigger(); }
    // Clear List, answered Yes.
    void clearList() {
        fakes.dialogs.messageAnswers.push_back(platform::MessageAnswer::Yes);
        ui(w()).cleall->trigger();
        fakes.dialogs.messages.clear();
    }
    QString pallets() const { return folder() + "/Pallets/"; }
    std::vector<platform::fake::FakeDialogs::Message>& messages() { return fakes.dialogs.messages; }
};

// --- Save Pallet As ---------------------------------------------------------------------------

TEST(SavePalletAs, IniIsAppendedUnlessTheNameEndsInExactlyIni) {
    struct Case {
        QString typed, written, caption;
    };
    for (const Case& c : {Case{"blue", "blue.ini", "Saved Colors - blue"},
                          Case{"blue.ini", "blue.ini", "Saved Colors - blue"},
                          Case{"blue.INI", "blue.INI.ini", "Saved Colors - blue.INI"}}) {
        PaletteFixture f;
        f.markChanged();
        f.fakes.dialogs.fileAnswers = {f.pallets() + c.typed};
        ui(f.w()).svas->trigger();
        EXPECT_EQ(fileBytes(f.pallets() + c.written), fileOf(kExample)) << c.typed.toStdString();
        EXPECT_EQ(ui(f.w()).Frame5->title(), c.caption);
        EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + c.written);
        EXPECT_FALSE(f.w().paletteDocument().isDefault());
        EXPECT_FALSE(f.w().swatchRow().changed());
        EXPECT_EQ(QDir(f.pallets()).entryList(QDir::Files).size(), 2) << "default.ini and one more";
    }
}

TEST(SavePalletAs, AsksWithItsTitleAndFilterInThePaletteFolder) {
    PaletteFixture f;
    f.fakes.dialogs.fileAnswers = {""};
    ui(f.w()).svas->trigger();
    ASSERT_EQ(f.fakes.dialogs.fileRequests.size(), 1u);
    const auto& asked = f.fakes.dialogs.fileRequests[0];
    EXPECT_EQ(asked.title, "Save Pallet");
    EXPECT_EQ(asked.filter, kPaletteFilter);
    EXPECT_EQ(asked.folder, f.pallets());
    EXPECT_TRUE(asked.save);
}

TEST(SavePalletAs, CancelChangesNothing) {
    PaletteFixture f;
    f.markChanged();
    f.fakes.dialogs.fileAnswers = {""};
    ui(f.w()).svas->trigger();
    EXPECT_TRUE(f.w().swatchRow().changed());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "default.ini");
    EXPECT_TRUE(f.w().paletteDocument().isDefault());
}

TEST(SavePalletAs, ARowWithAnEmptyFirstSlotIsStillWrittenInFull) {
    PaletteFixture f;
    emit ui(f.w()).Picture(2)->mousePressed(Qt::LeftButton);
    ui(f.w()).del->trigger();
    ASSERT_EQ(f.w().swatchRow().texts()[0], "0");
    f.fakes.dialogs.fileAnswers = {f.pallets() + "green"};
    ui(f.w()).svas->trigger();
    palette::SlotTexts expected = kExample;
    expected[0] = "0";
    EXPECT_EQ(fileBytes(f.pallets() + "green.ini"), fileOf(expected));
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - green");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "green.ini");
}

TEST(SavePalletAs, AnEmptyRowGoesToTheNameAsGivenAndStaysUnderThePreviousPalette) {
    PaletteFixture f;
    f.clearList();
    f.fakes.dialogs.fileAnswers = {f.pallets() + "nothing"};
    ui(f.w()).svas->trigger();
    EXPECT_EQ(fileBytes(f.pallets() + "nothing"), "-1207\r\n");
    EXPECT_FALSE(QFile::exists(f.pallets() + "nothing.ini"));
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "default.ini");
    EXPECT_TRUE(f.w().paletteDocument().isDefault());
    EXPECT_FALSE(f.w().swatchRow().changed());
}

TEST(SavePalletAs, FileNamesShowInTheCaptionAsPlainText) {
    PaletteFixture f;
    f.fakes.dialogs.fileAnswers = {f.pallets() + "R&D <b>x.ini"};
    ui(f.w()).svas->trigger();
    EXPECT_EQ(fileBytes(f.pallets() + "R&D <b>x.ini"), fileOf(kExample));
    // A group box turns "&" into a shortcut underline unless it is doubled.
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - R&&D <b>x");
}

TEST(SavePalletAs, AFailedWriteIsReportedAndKeepsThePreviousPaletteChanged) {
    for (bool emptyRow : {false, true}) {
        PaletteFixture f;
        f.sample(0x563412);
        f.fakes.keys.tap(platform::HotKey::F2);
        f.poll();
        if (emptyRow)
            f.clearList();
        const QString typed = f.folder() + "/no such folder/blue";
        f.fakes.dialogs.fileAnswers = {typed};
        ui(f.w()).svas->trigger();
        const QString written = emptyRow ? typed : typed + ".ini";
        EXPECT_FALSE(QFile::exists(written));
        ASSERT_EQ(f.messages().size(), 1u) << emptyRow;
        EXPECT_TRUE(f.messages()[0].text.contains(written)) << f.messages()[0].text.toStdString();
        EXPECT_EQ(f.messages()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
        // Still changed: the next Open offers to save.
        f.fakes.dialogs.messageAnswers = {MessageAnswer::No};
        f.fakes.dialogs.fileAnswers = {""};
        ui(f.w()).ldpal->trigger();
        ASSERT_EQ(f.messages().size(), 2u) << emptyRow;
        EXPECT_EQ(f.messages()[1].text, "Save Changes before opening?");
    }
}

TEST(SavePalletAs, OnAFirstRunThePaletteFolderIsMadeForTheDialog) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    ASSERT_FALSE(QDir(f.folder() + "/Pallets").exists());
    f.fakes.dialogs.fileAnswers = {""};
    ui(w).svas->trigger();
    EXPECT_TRUE(QDir(f.folder() + "/Pallets").exists());
}

// --- Open Pallet ------------------------------------------------------------------------------

TEST(OpenPallet, WhatSaveAsWroteComesBackAsTheCurrentPalette) {
    PaletteFixture f;
    f.fakes.dialogs.fileAnswers = {f.pallets() + "blue", f.pallets() + "blue.ini"};
    ui(f.w()).svas->trigger();
    ui(f.w()).nw->trigger();
    ASSERT_EQ(f.w().swatchRow().texts(), palette::emptySlots());
    ui(f.w()).ldpal->trigger();
    EXPECT_TRUE(f.messages().empty()) << "nothing changed since New";
    EXPECT_EQ(f.w().swatchRow().texts(), kExample);
    EXPECT_EQ(ui(f.w()).Picture(6)->backColor(), 0x563412);
    EXPECT_FALSE(ui(f.w()).Picture(5)->backColor().has_value());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - blue");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "blue.ini");
    EXPECT_FALSE(f.w().swatchRow().changed());
    EXPECT_FALSE(f.w().paletteDocument().isDefault());
    const auto& asked = f.fakes.dialogs.fileRequests.back();
    EXPECT_EQ(asked.title, "Open Pallet");
    EXPECT_EQ(asked.filter, kPaletteFilter);
    EXPECT_EQ(asked.folder, f.pallets());
    EXPECT_FALSE(asked.save);
}

TEST(OpenPallet, TheFilterListsPalettesButNotTheirBackups) {
    QTemporaryDir folder;
    const QStringList names{"a.ini",     "b.INI",      "c.ini2", "d.ini.txt",
                            "e.ini.bak", "e.ini.bak2", "f.txt",  "g.inix"};
    for (const QString& name : names)
        writeFile(folder.path() + "/" + name, "255\r\n");
    const QString patterns = kPaletteFilter.section('(', 1).chopped(1);
    QDir dir(folder.path());
    dir.setNameFilters(patterns.split(' '));
    EXPECT_EQ(dir.entryList(QDir::Files, QDir::Name),
              (QStringList{"a.ini", "b.INI", "c.ini2", "d.ini.txt", "g.inix"}));
}

// A palette that a save would not write back whole is kept, byte for byte, before it becomes
// the row: the default palette at start (written back at every exit) and an opened one (which
// Save Pallet replaces). Earlier backups are never replaced.
TEST(OpenPallet, APaletteASaveWouldNotWriteBackWholeIsKeptInABackupFirst) {
    MainWindowFixture f;
    const QByteArray noted = "00197121, my red\r\n65280\r\n";
    f.writeDefaultPalette(noted);
    writeFile(f.folder() + "/Pallets/default.ini.bak", "an older backup");
    app::MainWindow& w = f.load();
    EXPECT_EQ(fileBytes(f.folder() + "/Pallets/default.ini.bak"), "an older backup");
    EXPECT_EQ(fileBytes(f.folder() + "/Pallets/default.ini.bak2"), noted);
    EXPECT_EQ(ui(w).Frame5->toolTip(),
              "Some of default.ini could not be read; all of it is kept in default.ini.bak2");
    EXPECT_EQ(w.swatchRow().texts()[0], "00197121") << "the reading itself stays as it was";

    const QString marked = f.folder() + "/Pallets/marked.ini";
    const QByteArray markedBytes = "255\r\n-1207\r\n65280\r\n";
    writeFile(marked, markedBytes);
    f.fakes.dialogs.fileAnswers = {marked};
    ui(w).ldpal->trigger();
    EXPECT_EQ(fileBytes(marked + ".bak"), markedBytes);
    EXPECT_EQ(ui(w).Frame5->toolTip(),
              "Some of marked.ini could not be read; all of it is kept in marked.ini.bak");

    // What the program wrote itself, and a typo in its slot, come back whole: no backup.
    ui(w).svpal->trigger();
    writeFile(f.folder() + "/Pallets/typo.ini", "255\r\nO65280\r\n");
    for (const QString& name : {marked, f.folder() + "/Pallets/typo.ini"}) {
        f.fakes.dialogs.fileAnswers = {name};
        ui(w).ldpal->trigger();
    }
    EXPECT_FALSE(QFileInfo::exists(marked + ".bak2"));
    EXPECT_FALSE(QFileInfo::exists(f.folder() + "/Pallets/typo.ini.bak"));
    EXPECT_TRUE(f.fakes.dialogs.unexpected.isEmpty())
        << f.fakes.dialogs.unexpected.join("; ").toStdString();
}

TEST(OpenPallet, AFileOfFiveLinesOrAnEmptyFileBecomesTheCurrentPalette) {
    struct Case {
        QByteArray bytes;
        palette::SlotTexts row;
    };
    const palette::SlotTexts five{"1", "2", "3", "4", "5", "0", "0", "0", "0", "0", "0", "0"};
    for (const Case& c :
         {Case{"1\r\n2\r\n3\r\n4\r\n5\r\n", five}, Case{"", palette::emptySlots()}}) {
        PaletteFixture f;
        writeFile(f.pallets() + "few.ini", c.bytes);
        f.fakes.dialogs.fileAnswers = {f.pallets() + "few.ini"};
        ui(f.w()).ldpal->trigger();
        EXPECT_EQ(f.w().swatchRow().texts(), c.row) << c.bytes.size();
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - few");
        EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "few.ini");
        EXPECT_FALSE(f.w().swatchRow().changed());
    }
}

TEST(OpenPallet, AFileInTheEmptyFormBecomesTheCurrentEmptyPalette) {
    PaletteFixture f;
    writeFile(f.pallets() + "none.ini", "-1207\r\n");
    f.fakes.dialogs.fileAnswers = {f.pallets() + "none.ini"};
    ui(f.w()).ldpal->trigger();
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - none");
    for (int n = 2; n <= 13; ++n)
        EXPECT_FALSE(ui(f.w()).Picture(n)->backColor().has_value()) << n;
    // It is current and unchanged: Save Pallet writes it, a following Open asks nothing.
    f.sample(0x563412);
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    ui(f.w()).svpal->trigger();
    EXPECT_EQ(fileBytes(f.pallets() + "none.ini"),
              crlfLines({"05649426", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(f.readDefaultPalette(), fileOf(kExample));
    f.fakes.dialogs.fileAnswers = {""};
    ui(f.w()).ldpal->trigger();
    EXPECT_TRUE(f.messages().empty());
}

TEST(OpenPallet, AFileWithTyposLoadsItsColoursAndBecomesCurrent) {
    PaletteFixture f;
    writeFile(f.pallets() + "typo.ini", "00000255\r\nred\r\n\r\n65280\r\n");
    f.fakes.dialogs.fileAnswers = {f.pallets() + "typo.ini"};
    ui(f.w()).ldpal->trigger();
    EXPECT_TRUE(f.messages().empty());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - typo");
    EXPECT_EQ(ui(f.w()).Picture(2)->backColor(), 255);
    EXPECT_FALSE(ui(f.w()).Picture(3)->backColor().has_value());
    EXPECT_EQ(ui(f.w()).Picture(5)->backColor(), 65280);
    // An add fills the first slot the typo left empty; the save holds no typo.
    f.sample(0x563412);
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    EXPECT_EQ(ui(f.w()).Picture(3)->backColor(), 0x563412);
    ui(f.w()).svpal->trigger();
    EXPECT_EQ(
        fileBytes(f.pallets() + "typo.ini"),
        crlfLines({"00000255", "05649426", "0", "65280", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(OpenPallet, AFileThatCannotBeReadChangesNothingAndSaysSo) {
    struct Case {
        const char* what;
        QString name;
    };
    for (const Case& c : {Case{"a name that does not exist", "typo.ini"},
                          Case{"a folder", "folder.ini"}, Case{"an endless line", "long.ini"}}) {
        PaletteFixture f;
        QDir(f.pallets()).mkdir("folder.ini");
        writeFile(f.pallets() + "long.ini", "255\r\n" + QByteArray(1 << 16, '7'));
        f.fakes.dialogs.fileAnswers = {f.pallets() + c.name};
        ui(f.w()).ldpal->trigger();
        ASSERT_EQ(f.messages().size(), 1u) << c.what;
        EXPECT_TRUE(f.messages()[0].text.contains(f.pallets() + c.name)) << c.what;
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default") << c.what;
        EXPECT_EQ(ui(f.w()).Picture(2)->backColor(), 255) << c.what;
        EXPECT_EQ(ui(f.w()).Picture(6)->backColor(), 0x563412) << c.what;
        // Unchanged, and still the default palette: Save Pallet writes default.ini.
        f.sample(0x010203);
        f.fakes.keys.tap(platform::HotKey::F2);
        f.poll();
        ui(f.w()).svpal->trigger();
        EXPECT_NE(f.readDefaultPalette(), fileOf(kExample)) << c.what;
    }
}

TEST(OpenPallet, ReadingNeverTouchesTheCurrentColour) {
    PaletteFixture f;
    f.sample(0x563412);
    ui(f.w()).Command3->click();
    writeFile(f.pallets() + "x.ini", "00000255\r\n0\r\n");
    f.fakes.dialogs.fileAnswers = {f.pallets() + "x.ini"};
    ui(f.w()).ldpal->trigger();
    EXPECT_EQ(ui(f.w()).Text1->text(), "05649426");
    EXPECT_EQ(ui(f.w()).Picture1->backColor(), 0x563412);
}

TEST(OpenPallet, ChangesAreOfferedForSavingEvenOnTheDefaultPalette) {
    PaletteFixture f;
    f.clearList();
    f.fakes.dialogs.messageAnswers = {MessageAnswer::Yes};
    f.fakes.dialogs.fileAnswers = {""};
    ui(f.w()).ldpal->trigger();
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0].text, "Save Changes before opening?");
    EXPECT_EQ(f.messages()[0].title, "Open");
    EXPECT_EQ(f.messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(f.messages()[0].icon, MessageIcon::Question);
    // Yes saved the row; the cancelled dialog then keeps it.
    EXPECT_EQ(f.readDefaultPalette(), "-1207\r\n");
    EXPECT_EQ(f.w().swatchRow().texts(), palette::emptySlots());
    EXPECT_FALSE(f.w().swatchRow().changed());
}

TEST(OpenPallet, AFailedSaveBeforeOpeningKeepsTheRow) {
    PaletteFixture f;
    emit ui(f.w()).Picture(2)->mousePressed(Qt::LeftButton);
    ui(f.w()).del->trigger();
    // The current file became a folder meanwhile: the save fails, and nothing is opened.
    QFile::remove(f.pallets() + "default.ini");
    QDir(f.pallets()).mkdir("default.ini");
    f.fakes.dialogs.messageAnswers = {MessageAnswer::Yes};
    ui(f.w()).ldpal->trigger();
    ASSERT_EQ(f.messages().size(), 2u);
    EXPECT_TRUE(f.messages()[1].text.contains(f.pallets() + "default.ini"));
    EXPECT_TRUE(f.messages()[1].text.contains("folder"));
    EXPECT_TRUE(f.fakes.dialogs.fileRequests.empty()) << "no file dialog after the failed save";
    EXPECT_FALSE(ui(f.w()).Picture(2)->backColor().has_value());
    EXPECT_EQ(ui(f.w()).Picture(3)->backColor(), 65280);
}

TEST(OpenPallet, NoLeavesTheFileUnsaved) {
    PaletteFixture f;
    f.clearList();
    f.fakes.dialogs.messageAnswers = {MessageAnswer::No};
    f.fakes.dialogs.fileAnswers = {""};
    ui(f.w()).ldpal->trigger();
    EXPECT_EQ(f.readDefaultPalette(), fileOf(kExample));
    EXPECT_TRUE(f.w().swatchRow().changed());
}

// --- New Pallet -------------------------------------------------------------------------------

TEST(NewPallet, OnTheDefaultPaletteWithColoursAsksAndYesSavesUnderANewName) {
    for (bool changed : {false, true}) {
        PaletteFixture f;
        palette::SlotTexts expected = kExample;
        if (changed) {
            f.sample(0x563412);
            f.fakes.keys.tap(platform::HotKey::F2);
            f.poll();
            expected[3] = "05649426";
        }
        f.fakes.dialogs.messageAnswers = {MessageAnswer::Yes};
        f.fakes.dialogs.fileAnswers = {f.pallets() + "kept"};
        ui(f.w()).nw->trigger();
        ASSERT_EQ(f.messages().size(), 1u) << changed;
        EXPECT_EQ(f.messages()[0].text, "Save Changes before creating a new Pallet?");
        ASSERT_EQ(f.fakes.dialogs.fileRequests.size(), 1u);
        EXPECT_EQ(f.fakes.dialogs.fileRequests[0].title, "Save Pallet");
        EXPECT_EQ(fileBytes(f.pallets() + "kept.ini"), fileOf(expected)) << changed;
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors");
        EXPECT_FALSE(ui(f.w()).Picture(2)->backColor().has_value());
    }
}

TEST(NewPallet, OnTheDefaultPaletteACancelledOrFailedSaveKeepsTheRow) {
    for (const QString& answer : {QString(), QString("/no such folder/kept")}) {
        PaletteFixture f;
        f.fakes.dialogs.messageAnswers = {MessageAnswer::Yes};
        f.fakes.dialogs.fileAnswers = {answer.isEmpty() ? answer : f.folder() + answer};
        ui(f.w()).nw->trigger();
        EXPECT_EQ(f.messages().size(), answer.isEmpty() ? 1u : 2u);
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
        EXPECT_EQ(ui(f.w()).Picture(2)->backColor(), 255);
        f.w().close();
        EXPECT_EQ(f.readDefaultPalette(), fileOf(kExample));
    }
}

TEST(NewPallet, NoClearsAndAnEmptyRowAsksNothingMore) {
    PaletteFixture f;
    f.fakes.dialogs.messageAnswers = {MessageAnswer::No};
    ui(f.w()).nw->trigger();
    EXPECT_EQ(f.messages().size(), 1u);
    EXPECT_TRUE(f.fakes.dialogs.fileRequests.empty());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors");
    EXPECT_FALSE(ui(f.w()).Picture(2)->backColor().has_value());
    ui(f.w()).nw->trigger();
    EXPECT_EQ(f.messages().size(), 1u) << "nothing left to lose";
}

// Another palette, opened and then changed.
struct ChangedOtherPalette : PaletteFixture {
    ChangedOtherPalette() {
        writeFile(pallets() + "mine.ini", "00000255\r\n");
        fakes.dialogs.fileAnswers = {pallets() + "mine.ini"};
        ui(w()).ldpal->trigger();
        emit ui(w()).Picture(2)->mousePressed(Qt::LeftButton);
        ui(w()).del->trigger();
    }
};

TEST(NewPallet, CancelLeavesRowCaptionAndFlags) {
    ChangedOtherPalette f;
    f.fakes.dialogs.messageAnswers = {MessageAnswer::Cancel};
    ui(f.w()).nw->trigger();
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0].text, "Save Changes before creating a new Pallet?");
    EXPECT_EQ(f.messages()[0].title, "New");
    EXPECT_EQ(f.messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(f.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - mine");
    EXPECT_TRUE(f.w().swatchRow().changed());
    EXPECT_FALSE(f.w().paletteDocument().isDefault());
    EXPECT_EQ(fileBytes(f.pallets() + "mine.ini"), "00000255\r\n");
}

TEST(NewPallet, YesSavesToTheCurrentFileFirstNoDoesNot) {
    for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        ChangedOtherPalette f;
        f.fakes.dialogs.messageAnswers = {answer};
        ui(f.w()).nw->trigger();
        EXPECT_EQ(fileBytes(f.pallets() + "mine.ini"),
                  answer == MessageAnswer::Yes ? "-1207\r\n" : "00000255\r\n");
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors");
        EXPECT_EQ(f.messages().size(), 1u);
    }
}

TEST(NewPallet, TheNewPaletteHasNoFileSoSavePalletAsksForAName) {
    ChangedOtherPalette f;
    f.fakes.dialogs.messageAnswers = {MessageAnswer::No};
    ui(f.w()).nw->trigger();
    f.sample(0x563412);
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    const std::size_t requests = f.fakes.dialogs.fileRequests.size();
    f.fakes.dialogs.fileAnswers = {f.pallets() + "fresh"};
    ui(f.w()).svpal->trigger();
    ASSERT_EQ(f.fakes.dialogs.fileRequests.size(), requests + 1);
    EXPECT_EQ(f.fakes.dialogs.fileRequests.back().title, "Save Pallet");
    EXPECT_TRUE(f.fakes.dialogs.fileRequests.back().save);
    EXPECT_EQ(fileBytes(f.pallets() + "mine.ini"), "00000255\r\n") << "the previous file is kept";
    EXPECT_EQ(fileBytes(f.pallets() + "fresh.ini"),
              crlfLines({"05649426", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - fresh");
}

TEST(NewPallet, AFailedYesSaveKeepsTheRowAndItsName) {
    ChangedOtherPalette f;
    f.sample(0x563412);
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    QFile::remove(f.pallets() + "mine.ini");
    QDir(f.pallets()).mkdir("mine.ini");
    f.fakes.dialogs.messageAnswers = {MessageAnswer::Yes};
    ui(f.w()).nw->trigger();
    ASSERT_EQ(f.messages().size(), 2u);
    EXPECT_TRUE(f.messages()[1].text.contains(f.pallets() + "mine.ini"));
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - mine");
    EXPECT_EQ(ui(f.w()).Picture(2)->backColor(), 0x563412);
    // Still changed: asked again.
    f.fakes.dialogs.messageAnswers = {MessageAnswer::Cancel};
    ui(f.w()).nw->trigger();
    EXPECT_EQ(f.messages().size(), 3u);
}

// --- Save Pallet ------------------------------------------------------------------------------

TEST(SavePallet, WritesTheCurrentFileAndKeepsCaptionAndFlags) {
    PaletteFixture f;
    f.sample(0x563412);
    f.fakes.keys.tap(platform::HotKey::F2);
    ASSERT_TRUE(f.w().swatchRow().changed());
    ui(f.w()).svpal->trigger();
    palette::SlotTexts expected = kExample;
    expected[3] = "05649426";
    EXPECT_EQ(f.readDefaultPalette(), fileOf(expected));
    EXPECT_FALSE(f.w().swatchRow().changed());
    EXPECT_TRUE(f.w().paletteDocument().isDefault());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
}

TEST(SavePallet, OnAFirstRunMakesThePaletteFolder) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(0x563412);
    f.fakes.keys.tap(platform::HotKey::F2);
    f.poll();
    ui(w).svpal->trigger();
    EXPECT_TRUE(f.fakes.dialogs.messages.empty());
    EXPECT_EQ(f.readDefaultPalette(),
              crlfLines({"05649426", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(SavePallet, AFailureIsReportedWithItsReasonAndTheRowStaysChanged) {
    PaletteFixture f;
    emit ui(f.w()).Picture(2)->mousePressed(Qt::LeftButton);
    ui(f.w()).del->trigger();
    QFile::remove(f.pallets() + "default.ini");
    QDir(f.pallets()).mkdir("default.ini");
    ui(f.w()).svpal->trigger();
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0].text,
              "The Pallet could not be saved to " + f.pallets() + "default.ini: it is a folder.");
    EXPECT_TRUE(QFileInfo(f.pallets() + "default.ini").isDir());
    f.fakes.dialogs.messageAnswers = {MessageAnswer::No};
    f.fakes.dialogs.fileAnswers = {""};
    ui(f.w()).ldpal->trigger();
    ASSERT_EQ(f.messages().size(), 2u);
    EXPECT_EQ(f.messages()[1].text, "Save Changes before opening?");
}

// A device node of the test's own: only root may make one, and only where the system allows it.
TEST(SavePallet, ADeviceAtThePathOrBehindALinkIsLeftAsItIs) {
    for (bool throughLink : {false, true}) {
        PaletteFixture f;
        const QString node = f.folder() + "/null-device";
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, ::makedev(1, 3)) != 0)
            GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
        const QString target = f.pallets() + "dev.ini";
        if (throughLink)
            ASSERT_TRUE(QFile::link(node, target));
        else
            ASSERT_EQ(::rename(QFile::encodeName(node).constData(),
                               QFile::encodeName(target).constData()),
                      0);
        f.fakes.dialogs.fileAnswers = {target};
        ui(f.w()).svas->trigger();
        ASSERT_EQ(f.messages().size(), 1u);
        EXPECT_TRUE(f.messages()[0].text.contains(target));
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << throughLink;
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
        // Opening it refuses too, and says so.
        f.fakes.dialogs.fileAnswers = {target};
        ui(f.w()).ldpal->trigger();
        ASSERT_EQ(f.messages().size(), 2u);
        EXPECT_TRUE(f.messages()[1].text.contains(target));
        EXPECT_EQ(ui(f.w()).Picture(2)->backColor(), 255);
    }
}

// --- GIMP palettes ----------------------------------------------------------------------------

// kExample as GIMP writes it: the colours in slot order, empty slots left out.
const QByteArray kExampleGpl = "GIMP Palette\nName: Default\nColumns: 12\n"
                               "255   0   0\t#ff0000\n"
                               "  0 255   0\t#00ff00\n"
                               "  0   0 255\t#0000ff\n"
                               " 18  52  86\t#123456\n"
                               "  0   0   0\t#000000\n"
                               "  1   0   0\t#010000\n";

TEST(ExportGimpPalette, WritesTheRowUnderThePalettesNameAndChangesNothingElse) {
    PaletteFixture f;
    f.markChanged();
    f.fakes.dialogs.fileAnswers = {f.pallets() + "shared"};
    ui(f.w()).expgpl->trigger();
    EXPECT_EQ(fileBytes(f.pallets() + "shared.gpl"), kExampleGpl);
    const auto& asked = f.fakes.dialogs.fileRequests.back();
    EXPECT_EQ(asked.title, "Export GIMP Palette");
    EXPECT_EQ(asked.filter, "GIMP palettes (*.gpl)");
    EXPECT_EQ(asked.folder, f.pallets());
    EXPECT_TRUE(asked.save);
    EXPECT_TRUE(f.messages().empty());
    EXPECT_TRUE(f.w().swatchRow().changed()) << "the palette itself is still unsaved";
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "default.ini");
}

TEST(ExportGimpPalette, TheNameIsThePalettesOrSavedColorsWithoutOne) {
    PaletteFixture f;
    f.fakes.dialogs.fileAnswers = {f.pallets() + "R&D", f.pallets() + "a.gpl",
                                   f.pallets() + "b.GPL"};
    ui(f.w()).svas->trigger();
    ui(f.w()).expgpl->trigger();
    EXPECT_TRUE(fileBytes(f.pallets() + "a.gpl").startsWith("GIMP Palette\nName: R&D\n"));
    ui(f.w()).nw->trigger(); // the saved palette had no changes: no question
    ui(f.w()).expgpl->trigger();
    EXPECT_EQ(fileBytes(f.pallets() + "b.GPL"), "GIMP Palette\nName: Saved Colors\nColumns: 12\n");
}

TEST(ExportGimpPalette, AFailedWriteNamesTheFileAndTheReason) {
    PaletteFixture f;
    QDir().mkpath(f.pallets() + "taken.gpl");
    f.fakes.dialogs.fileAnswers = {f.pallets() + "taken.gpl", f.folder() + "/no such folder/x"};
    ui(f.w()).expgpl->trigger();
    ui(f.w()).expgpl->trigger();
    ASSERT_EQ(f.messages().size(), 2u);
    EXPECT_EQ(f.messages()[0].text, "The GIMP palette could not be saved to " + f.pallets() +
                                        "taken.gpl: it is a folder.");
    EXPECT_TRUE(f.messages()[1].text.startsWith("The GIMP palette could not be saved to " +
                                                f.folder() + "/no such folder/x.gpl: "));
    EXPECT_EQ(f.messages()[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(QFileInfo(f.pallets() + "taken.gpl").isDir());
}

TEST(ImportGimpPalette, TheFirstTwelveColoursFillTheRowWhichHasNoFileYet) {
    PaletteFixture f;
    QByteArray gpl = "GIMP Palette\r\nName: Inkscape default\r\nColumns: 3\r\n# comment\r\n\r\n";
    for (int n = 1; n <= 14; ++n)
        gpl += QByteArray::number(n) + "\t 0  0 Colour number " + QByteArray::number(n) + "\r\n";
    writeFile(f.folder() + "/shared/my.colours.gpl", gpl);
    f.fakes.dialogs.fileAnswers = {f.folder() + "/shared/my.colours.gpl"};
    ui(f.w()).impgpl->trigger();
    EXPECT_TRUE(f.messages().empty()) << "nothing changed before the import";
    palette::SlotTexts expected;
    for (int n = 1; n <= 12; ++n)
        expected[static_cast<std::size_t>(n - 1)] =
            QString("%1").arg(n, 8, 10, QChar('0')).toStdString();
    EXPECT_EQ(f.w().swatchRow().texts(), expected);
    EXPECT_EQ(ui(f.w()).Picture(13)->backColor(), 12);
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - my.colours");
    EXPECT_TRUE(f.w().swatchRow().changed());
    EXPECT_FALSE(f.w().paletteDocument().isDefault());
    const auto& asked = f.fakes.dialogs.fileRequests.back();
    EXPECT_EQ(asked.title, "Import GIMP Palette");
    EXPECT_EQ(asked.filter, "GIMP palettes (*.gpl)");
    EXPECT_FALSE(asked.save);
    // Save Pallet asks for a name, as Save Pallet As does.
    f.fakes.dialogs.fileAnswers = {f.pallets() + "imported"};
    ui(f.w()).svpal->trigger();
    EXPECT_EQ(f.fakes.dialogs.fileRequests.back().title, "Save Pallet");
    EXPECT_EQ(fileBytes(f.pallets() + "imported.ini").count("\r\n"), 12);
    EXPECT_EQ(f.readDefaultPalette(), fileOf(kExample)) << "the default palette is untouched";
}

TEST(ImportGimpPalette, WhatExportWroteComesBackWithFewerColoursThenEmptySlots) {
    PaletteFixture f;
    f.fakes.dialogs.fileAnswers = {f.pallets() + "x", f.pallets() + "x.gpl"};
    ui(f.w()).expgpl->trigger();
    ui(f.w()).impgpl->trigger();
    const palette::SlotTexts expected{"00000255", "00065280", "16711680", "05649426",
                                      "00000000", "00000001", "0",        "0",
                                      "0",        "0",        "0",        "0"};
    EXPECT_EQ(f.w().swatchRow().texts(), expected);
    EXPECT_EQ(ui(f.w()).Picture(6)->backColor(), 0);
    EXPECT_FALSE(ui(f.w()).Picture(8)->backColor().has_value());
}

TEST(ImportGimpPalette, WhatCannotBeReadIsNamedWithItsLineAndTheRowStays) {
    struct Case {
        QByteArray bytes;
        QString said;
    };
    for (const Case& c :
         {Case{"GIMP Palette\n0 0 0\n1 2 256 too bright\n",
               "could not be read. Line 3: A red, green or blue value is not a number from 0 to "
               "255."},
          Case{"JASC-PAL\n", "could not be read. Line 1: The file does not begin with the line "
                             "\"GIMP Palette\"."}}) {
        PaletteFixture f;
        writeFile(f.pallets() + "bad.gpl", c.bytes);
        f.fakes.dialogs.fileAnswers = {f.pallets() + "bad.gpl", f.pallets() + "missing.gpl"};
        ui(f.w()).impgpl->trigger();
        ui(f.w()).impgpl->trigger();
        ASSERT_EQ(f.messages().size(), 2u);
        EXPECT_EQ(f.messages()[0].text, "The GIMP palette " + f.pallets() + "bad.gpl " + c.said);
        EXPECT_EQ(f.messages()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(f.messages()[1].text, "The GIMP palette " + f.pallets() +
                                            "missing.gpl could not be read. It does "
                                            "not exist.");
        EXPECT_EQ(f.w().swatchRow().texts(), kExample);
        EXPECT_FALSE(f.w().swatchRow().changed());
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
        EXPECT_TRUE(f.w().paletteDocument().isDefault());
    }
}

TEST(ImportGimpPalette, ChangesAreOfferedForSavingAsOpenDoes) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        PaletteFixture f;
        f.clearList();
        f.fakes.dialogs.messageAnswers = {answer};
        f.fakes.dialogs.fileAnswers = {""};
        ui(f.w()).impgpl->trigger();
        ASSERT_EQ(f.messages().size(), 1u);
        EXPECT_EQ(f.messages()[0].text, "Save Changes before opening?");
        EXPECT_EQ(f.messages()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(f.readDefaultPalette(),
                  answer == MessageAnswer::Yes ? QByteArray("-1207\r\n") : fileOf(kExample));
        EXPECT_EQ(f.w().swatchRow().changed(), answer == MessageAnswer::No);
    }
}

} // namespace
} // namespace tinctora::testing
