// The File menu: New, Open, Save and Save As, with their questions, the frame caption, the
// ".ini" rules and the palette flags.
#include "widget_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>

#include <QPushButton>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// The worked example: six colours, stored padded from live sampling or plain from the dialog.
const palette::SlotTexts kExample{"00000255", "65280", "16711680", "0",        "05649426", "0",
                                  "0",        "0",     "0",        "00000000", "0",        "1"};

QByteArray fileOf(const palette::SlotTexts& r) {
    QByteArray bytes;
    for (const std::string& t : r)
        bytes += QByteArray::fromStdString(t) + "\r\n";
    return bytes;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
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
    app::Form1& w() { return *window; }
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
        EXPECT_EQ(readFile(f.pallets() + c.written), fileOf(kExample)) << c.typed.toStdString();
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
    EXPECT_EQ(asked.filter, "*.ini*");
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
    EXPECT_EQ(readFile(f.pallets() + "green.ini"), fileOf(expected));
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - green");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "green.ini");
}

TEST(SavePalletAs, AnEmptyRowGoesToTheNameAsGivenAndStaysUnderThePreviousPalette) {
    PaletteFixture f;
    f.clearList();
    f.fakes.dialogs.fileAnswers = {f.pallets() + "nothing"};
    ui(f.w()).svas->trigger();
    EXPECT_EQ(readFile(f.pallets() + "nothing"), "-1207\r\n");
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
    EXPECT_EQ(readFile(f.pallets() + "R&D <b>x.ini"), fileOf(kExample));
    // A group box turns "&" into a shortcut underline unless it is doubled.
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - R&&D <b>x");
}

TEST(SavePalletAs, AFailedWriteKeepsThePreviousPalette) {
    PaletteFixture f;
    f.markChanged();
    f.fakes.dialogs.fileAnswers = {f.folder() + "/no such folder/blue"};
    ui(f.w()).svas->trigger();
    EXPECT_FALSE(QFile::exists(f.folder() + "/no such folder/blue.ini"));
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "default.ini");
    EXPECT_TRUE(f.w().paletteDocument().isDefault());
    EXPECT_FALSE(f.w().swatchRow().changed()) << "cleared once a name was chosen";
}

TEST(SavePalletAs, OnAFirstRunThePaletteFolderIsMadeForTheDialog) {
    MainWindowFixture f;
    app::Form1& w = f.load();
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
    EXPECT_EQ(asked.filter, "*.ini*");
    EXPECT_EQ(asked.folder, f.pallets());
    EXPECT_FALSE(asked.save);
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

TEST(OpenPallet, AFileEndingAtTheMarkerOrUnreadableKeepsThePreviousPalettesName) {
    for (const QByteArray& bytes : {QByteArray("-1207\r\n"), QByteArray("00000255\r\nred\r\n")}) {
        PaletteFixture f;
        writeFile(f.pallets() + "odd.ini", bytes);
        f.fakes.dialogs.fileAnswers = {f.pallets() + "odd.ini"};
        ui(f.w()).ldpal->trigger();
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default") << bytes.constData();
        EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "default.ini");
        EXPECT_TRUE(f.w().swatchRow().changed());
        EXPECT_TRUE(f.w().paletteDocument().isDefault());
    }
    PaletteFixture f;
    writeFile(f.pallets() + "odd.ini", "-1207\r\n");
    f.fakes.dialogs.fileAnswers = {f.pallets() + "odd.ini"};
    ui(f.w()).ldpal->trigger();
    EXPECT_EQ(f.w().swatchRow().texts(), palette::emptySlots());
}

TEST(OpenPallet, ANameThatDoesNotExistLeavesAnEmptyRowUnderThePreviousName) {
    PaletteFixture f;
    f.fakes.dialogs.fileAnswers = {f.pallets() + "typo.ini"};
    ui(f.w()).ldpal->trigger();
    EXPECT_EQ(f.w().swatchRow().texts(), palette::emptySlots());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors - Default");
    EXPECT_TRUE(f.w().swatchRow().changed());
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

TEST(NewPallet, OnTheChangedDefaultPaletteAsksNothing) {
    PaletteFixture f;
    f.markChanged();
    ui(f.w()).nw->trigger();
    EXPECT_TRUE(f.messages().empty());
    EXPECT_EQ(f.w().swatchRow().texts(), palette::emptySlots());
    EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors");
    EXPECT_FALSE(f.w().swatchRow().changed());
    EXPECT_FALSE(f.w().paletteDocument().isDefault());
    EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "default.ini")
        << "Save Pallet still writes there";
    EXPECT_EQ(f.readDefaultPalette(), fileOf(kExample));
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
    EXPECT_EQ(readFile(f.pallets() + "mine.ini"), "00000255\r\n");
}

TEST(NewPallet, YesSavesToTheCurrentFileFirstNoDoesNot) {
    for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        ChangedOtherPalette f;
        f.fakes.dialogs.messageAnswers = {answer};
        ui(f.w()).nw->trigger();
        EXPECT_EQ(readFile(f.pallets() + "mine.ini"),
                  answer == MessageAnswer::Yes ? "-1207\r\n" : "00000255\r\n");
        EXPECT_EQ(ui(f.w()).Frame5->title(), "Saved Colors");
        EXPECT_FALSE(f.w().swatchRow().changed());
        EXPECT_EQ(f.w().paletteDocument().path(), f.pallets() + "mine.ini");
    }
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

} // namespace
} // namespace tinctora::testing
