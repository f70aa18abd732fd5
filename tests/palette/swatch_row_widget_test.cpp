// The swatch row of the main window: adding the current colour, and the default palette read at
// start-up into slots and swatches.
#include "widget_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace tinctora::testing {
namespace {

QColor emptySlotColour(const app::MainWindow& w) {
    return w.palette().color(QPalette::Button);
}

// Every swatch shows its slot: the colour of a filled one, the button face for an empty one.
void expectSwatchesShowTheirSlots(const app::MainWindow& w) {
    for (int k = 1; k <= palette::kSlotCount; ++k) {
        const std::string& text = w.swatchRow().texts()[static_cast<std::size_t>(k - 1)];
        const std::optional<colour::ColourValue> value = colour::parseDecimalColour(text);
        if (palette::isEmptySlot(text) || !value) {
            EXPECT_EQ(ui(w).Picture(k + 1)->shownColour(), emptySlotColour(w))
                << "slot " << k << " \"" << text << "\" should look empty";
        } else {
            EXPECT_EQ(ui(w).Picture(k + 1)->shownColour(),
                      QColor(colour::redByte(*value), colour::greenByte(*value),
                             colour::blueByte(*value)))
                << "slot " << k << " \"" << text << "\"";
        }
    }
}

// --- Adding the current colour ------------------------------------------------------------------

TEST(AddColour, FillsTheFirstEmptySlotAndMarksTheRowChanged) {
    MainWindowFixture f;
    f.writeDefaultPalette(crlfLines({"00000255", "00065280", "0", "16711680"}));
    app::MainWindow& w = f.load();
    ASSERT_FALSE(w.swatchRow().changed());
    f.sample(1193046);
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts(),
              (palette::SlotTexts{"00000255", "00065280", "01193046", "16711680", "0", "0", "0",
                                  "0", "0", "0", "0", "0"}))
        << "the hole is filled first; the slots after it stay";
    EXPECT_EQ(ui(w).Picture(4)->backColor(), 1193046);
    EXPECT_TRUE(w.swatchRow().changed());
    expectSwatchesShowTheirSlots(w);

    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts()[4], "01193046");
}

TEST(AddColour, BlackFromTheScreenIsAColourNotAnEmptySlot) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    f.sample(0);
    w.capture().addCurrent();
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts()[0], "00000000");
    EXPECT_EQ(w.swatchRow().texts()[1], "00000000") << "a black slot counts as filled";
    EXPECT_EQ(ui(w).Picture(2)->shownColour(), QColor(0, 0, 0));
}

TEST(AddColour, FullRowChangesNothing) {
    MainWindowFixture f;
    f.writeDefaultPalette(
        crlfLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
    app::MainWindow& w = f.load();
    const palette::SlotTexts before = w.swatchRow().texts();
    f.sample(255);
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts(), before);
    EXPECT_FALSE(w.swatchRow().changed()) << "an add that stores nothing leaves the flag as it was";
    expectSwatchesShowTheirSlots(w);

    ui(w).del->trigger(); // no swatch pressed: only marks the row changed
    w.capture().addCurrent();
    EXPECT_TRUE(w.swatchRow().changed());
}

TEST(AddColour, NothingBeforeTheFirstSample) {
    MainWindowFixture f;
    app::MainWindow& w = f.load();
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_FALSE(w.swatchRow().changed());
    for (int n = 2; n <= 13; ++n)
        EXPECT_EQ(ui(w).Picture(n)->shownColour(), emptySlotColour(w)) << n;

    // So a row saved now is read back whole at the next start.
    w.close();
    EXPECT_EQ(f.readDefaultPalette(), "-1207\r\n");
}

// --- The default palette at start-up ------------------------------------------------------------

TEST(DefaultPaletteAtStart, EmptyFormKeepsTheDefaultCaption) {
    MainWindowFixture f;
    f.writeDefaultPalette("-1207\r\n");
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.swatchRow().texts(), palette::emptySlots());
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors - Default");
    EXPECT_FALSE(w.swatchRow().changed());
    expectSwatchesShowTheirSlots(w);
}

TEST(DefaultPaletteAtStart, FullFormFillsSlotsAndSwatches) {
    MainWindowFixture f;
    f.writeDefaultPalette(crlfLines({"00000255", "00065280", "16777215", "33023", "0", "0", "0",
                                     "0", "0", "0", "0", "01193046"}));
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.swatchRow().texts(),
              (palette::SlotTexts{"00000255", "00065280", "16777215", "33023", "0", "0", "0", "0",
                                  "0", "0", "0", "01193046"}));
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors - Default");
    EXPECT_FALSE(w.swatchRow().changed());
    EXPECT_EQ(ui(w).Picture(2)->shownColour(), QColor(255, 0, 0));
    EXPECT_EQ(ui(w).Picture(5)->shownColour(), QColor(255, 128, 0));
    EXPECT_EQ(ui(w).Picture(13)->shownColour(), QColor(0x56, 0x34, 0x12));
    expectSwatchesShowTheirSlots(w);
}

TEST(DefaultPaletteAtStart, ReadingNeverTouchesTheCurrentColourPanel) {
    MainWindowFixture f;
    f.writeDefaultPalette(crlfLines({"00000255", "00065280", "0"}));
    app::MainWindow& w = f.load();
    EXPECT_EQ(ui(w).Text1->text(), "");
    EXPECT_EQ(ui(w).Label1->text(), "0");
    EXPECT_FALSE(ui(w).Picture1->backColor().has_value());
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts()[2], "0") << "still nothing to add before the first sample";
}

TEST(DefaultPaletteAtStart, AFieldThatIsNoColourIsAnEmptySlotAndEveryColourIsKept) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const QByteArray twelve = crlfLines(
        {"00000255", "00065280", "0", "16711680", "0", "0", "0", "0", "0", "0", "0", "1"});
    for (const Case& c :
         {Case{"a typo", crlfLines({"00000255", "00065280", "red", "16711680", "0", "0", "0", "0",
                                    "0", "0", "0", "1"})},
          Case{"a blank line", crlfLines({"00000255", "00065280", "", "16711680", "0", "0", "0",
                                          "0", "0", "0", "0", "1"})},
          Case{"a blank line after the twelfth", twelve + "\r\n"},
          Case{"a note after the twelfth", twelve + "picked from the beach photo, June\r\n"}}) {
        MainWindowFixture f;
        f.writeDefaultPalette(c.bytes);
        app::MainWindow& w = f.load();
        EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors - Default") << c.what;
        EXPECT_EQ(ui(w).Picture(3)->shownColour(), QColor(0, 255, 0)) << c.what;
        EXPECT_EQ(ui(w).Picture(4)->shownColour(), emptySlotColour(w)) << c.what;
        EXPECT_EQ(ui(w).Picture(5)->shownColour(), QColor(0, 0, 255)) << c.what;
        EXPECT_EQ(ui(w).Picture(13)->shownColour(), QColor(1, 0, 0)) << c.what;
        // The exit save keeps every colour and writes no text that would not load again.
        w.close();
        EXPECT_EQ(f.readDefaultPalette(), twelve) << c.what;
    }
}

TEST(DefaultPaletteAtStart, FirstLineZeroIsAnEmptySlotThatLooksEmpty) {
    MainWindowFixture f;
    f.writeDefaultPalette(
        crlfLines({"0", "00065280", "0", "0", "0", "0", "0", "0", "0", "0", "0", "16711680"}));
    app::MainWindow& w = f.load();
    EXPECT_EQ(w.swatchRow().texts()[0], "0");
    EXPECT_EQ(ui(w).Picture(2)->shownColour(), emptySlotColour(w)) << "not black";
    EXPECT_EQ(w.swatchRow().texts()[1], "00065280");
    EXPECT_EQ(w.swatchRow().texts()[11], "16711680");
    EXPECT_EQ(ui(w).Frame5->title(), "Saved Colors - Default");
    EXPECT_FALSE(w.swatchRow().changed());
    expectSwatchesShowTheirSlots(w);

    // The empty first slot is the first one an add fills.
    f.sample(255);
    w.capture().addCurrent();
    EXPECT_EQ(w.swatchRow().texts()[0], "00000255");
    EXPECT_EQ(ui(w).Picture(2)->shownColour(), QColor(255, 0, 0));
}

} // namespace
} // namespace tinctora::testing
