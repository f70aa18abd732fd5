#include "palette/palette_format.h"
#include "slot_rows.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tinctora::palette {
namespace {

const char kWorkedExample[] = "00000255\r\n00065280\r\n16777215\r\n33023\r\n0\r\n0\r\n0\r\n0\r\n"
                              "0\r\n0\r\n0\r\n0\r\n";

TEST(PaletteWriter, WritesTwelveCrLfLinesForAFilledRow) {
    EXPECT_EQ(writePalette(row({"00000255", "00065280", "16777215", "33023"})), kWorkedExample);
}

TEST(PaletteWriter, WritesTheMarkerForAnEmptyRow) {
    EXPECT_EQ(writePalette(emptySlots()), "-1207\r\n");
}

TEST(PaletteWriter, KeepsLaterColoursWhenSlotOneIsEmpty) {
    const std::string bytes = writePalette(row({"0", "0", "00000255"}));
    EXPECT_EQ(bytes, "0\r\n0\r\n00000255\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(readPalette(bytes).texts, row({"0", "0", "00000255"}));
}

TEST(PaletteWriter, SlotTextsThatWouldNotReadBackAsAColourAreWrittenEmpty) {
    EXPECT_EQ(writePalette(row({"255", "red", "", "65280"})),
              "255\r\n0\r\n0\r\n65280\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(writePalette(row({"red", " -1207"})), "-1207\r\n") << "nothing left to store";
}

TEST(SlotText, StorableTextsAreEmptyOrReadBackAsTheSameColour) {
    struct Case {
        std::string text;
        bool storable;
    };
    const Case cases[] = {
        {"0", true},
        {"00000255", true},
        {"33023", true},
        {"00000000", true},
        {"-1", true},
        {"2147483647", true},
        {" 255", true},
        {"-1207", false},
        {" -1207 ", false},
        {"", false},
        {"red", false},
        {"2147483648", false},
        {"1,2", false},
        {"\"255\"", false},
        {"255\r\n7", false},
        {std::string("\0", 1), false},
        {std::string(300, ' ') + "1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isStorableSlotText(c.text), c.storable) << '"' << c.text << '"';
}

TEST(PaletteRoundTrip, TheWorkedExampleComesBackSlotForSlot) {
    const SlotTexts original = row({"00000255", "00065280", "16777215", "33023"});
    const ReadResult read = readPalette(writePalette(original));
    EXPECT_EQ(read.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.texts, original);
    EXPECT_EQ(read.fieldsRead, 12);
}

TEST(PaletteRoundTrip, EveryFullRowSurvives) {
    SlotTexts slots;
    for (std::size_t i = 0; i < slots.size(); ++i)
        slots[i] = i % 3 == 0 ? "0" : std::to_string(i * 1000003);
    EXPECT_EQ(readPalette(writePalette(slots)).texts, slots);
}

TEST(PaletteReader, StopsAtTheMarker) {
    const ReadResult read = readPalette("00000255\r\n00065280\r\n-1207\r\n16777215\r\n");
    EXPECT_EQ(read.end, ReadEnd::Marker);
    EXPECT_EQ(read.texts, row({"00000255", "00065280"}));
    EXPECT_EQ(readPalette("-1207\r\n").end, ReadEnd::Marker);
}

TEST(PaletteReader, AShortFileFillsTheFirstSlotsOnly) {
    const ReadResult read = readPalette("1\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(read.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.texts, row({"1", "2", "3", "4", "5"}));
}

TEST(PaletteReader, AfterTheTwelfthFieldOnlyTheMarkerAndTheEndMatter) {
    const std::string twelve = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n";
    const SlotTexts all = row({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    struct Case {
        const char* what;
        std::string after;
        ReadEnd end;
    };
    for (const Case& c :
         {Case{"more values", "13\r\n14\r\n", ReadEnd::EndOfFile},
          Case{"a trailing blank line", "\r\n", ReadEnd::EndOfFile},
          Case{"a note", "my summer colours, from the beach\r\n", ReadEnd::EndOfFile},
          Case{"binary noise", std::string("\x01\xff\0\"x", 5), ReadEnd::EndOfFile},
          Case{"a note, then the marker", "note\r\n-1207\r\nred\r\n", ReadEnd::Marker}}) {
        const ReadResult read = readPalette(twelve + c.after);
        EXPECT_EQ(read.end, c.end) << c.what;
        EXPECT_EQ(read.texts, all) << c.what;
    }
}

TEST(PaletteReader, AnEmptyFileIsAnEmptyPalette) {
    const ReadResult read = readPalette("");
    EXPECT_EQ(read.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.texts, emptySlots());
}

TEST(PaletteReader, CommasSplitALineIntoFields) {
    const ReadResult read = readPalette("16,777,215\r\n");
    EXPECT_EQ(read.texts, row({"16", "777", "215"}));
}

TEST(PaletteReader, QuotesAndBlanksFollowDelimitedInput) {
    const ReadResult read = readPalette("  \"255\"  ,\"65280\" junk\r\n  33023  \n16777215\r7\r\n");
    EXPECT_EQ(read.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.texts, row({"255", "65280", "33023", "16777215", "7"}));
}

TEST(PaletteReader, AFirstZeroLeavesSlotOneEmpty) {
    const ReadResult read = readPalette("0\r\n255\r\n");
    EXPECT_EQ(read.texts, row({"0", "255"}));
}

TEST(PaletteReader, ALastLineWithoutLineEndIsRead) {
    EXPECT_EQ(readPalette("1\r\n2").texts, row({"1", "2"}));
}

TEST(PaletteReader, AFieldThatIsNoColourLoadsAsAnEmptySlotAndTheRestIsRead) {
    struct Case {
        const char* what;
        std::string bytes;
        SlotTexts texts;
    };
    const Case cases[] = {
        {"a typo", "255\r\nred\r\n65280\r\n", row({"255", "0", "65280"})},
        {"a blank line", "255\r\n\r\n65280\r\n", row({"255", "0", "65280"})},
        {"binary noise", std::string("\0\x01\xfe\r\n255\r\n", 10), row({"0", "255"})},
        {"NUL bytes only", std::string(64, '\0'), emptySlots()},
        {"a number beyond 32 bits", "4294967296\r\n7\r\n", row({"0", "7"})},
        {"the marker in quotes with a blank", "\"-1207 \"\r\n7\r\n", row({"0", "7"})},
    };
    for (const Case& c : cases) {
        const ReadResult read = readPalette(c.bytes);
        EXPECT_EQ(read.end, ReadEnd::EndOfFile) << c.what;
        EXPECT_EQ(read.texts, c.texts) << c.what;
    }
}

TEST(PaletteReader, AnOverlongFieldFailsWithoutBeingKept) {
    const ReadResult read = readPalette("255\r\n" + std::string(1 << 20, '7') + "\r\n");
    EXPECT_EQ(read.end, ReadEnd::ReadFailure);
    EXPECT_EQ(read.texts, row({"255"}));
}

TEST(PaletteReader, TheFieldCounterEndsAtItsSixteenBitLimit) {
    std::string content;
    for (int i = 0; i < kMaxFields; ++i)
        content += "1,";
    EXPECT_EQ(readPalette(content.substr(0, content.size() - 1)).end, ReadEnd::EndOfFile);
    EXPECT_EQ(readPalette(content + "1").end, ReadEnd::ReadFailure);
}

TEST(PaletteReader, SaysWhetherASaveOfTheRowWouldWriteTheFileBackWhole) {
    const std::string twelve = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        bool whole;
    };
    const Case cases[] = {
        {"a full palette the program wrote", writePalette(row({"00000255", "0", "33023"})), true},
        {"an empty palette the program wrote", writePalette(emptySlots()), true},
        {"twelve values and blank lines after them", twelve + "\r\n \r\n", true},
        {"a short file", "1\r\n2\r\n", true},
        {"an empty file", "", true},
        {"a last line without its line end", "1\r\n2", true},
        {"a typo and a blank line, each in its slot", "255\r\nred\r\n\r\n65280\r\n", true},
        {"LF, lone CR, blanks and quotes", "\xef\xbb\xbf 1 \n\"2\"\r3\r\n", true},
        {"the marker at the end", "255\r\n-1207\r\n", true},
        {"the marker, then blank lines", "-1207\r\n\r\n  \r\n", true},
        {"a 302-character note on line 4", "1\r\n2\r\n3\r\n" + std::string(302, 'n') + "\r\n5\r\n",
         false},
        {"the marker on line 6 before two more lines",
         "1\r\n2\r\n3\r\n4\r\n5\r\n-1207\r\n7\r\n8\r\n", false},
        {"a note after a comma on line 1", "00197121, my red\r\n2\r\n3\r\n", false},
        {"a trailing comma on line 3", "1\r\n2\r\n3,\r\n4\r\n", false},
        {"three values on one line", "16,777,215\r\n", false},
        {"two values on line 12", twelve.substr(0, twelve.size() - 4) + "12,13\r\n", false},
        {"a thirteenth value", twelve + "13\r\n", false},
        {"a note after the twelfth value", twelve + "my summer colours\r\n", false},
        {"a quoted value over two lines", "\"1\r\n2\"\r\n3\r\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readPalette(c.bytes).keptWhole, c.whole) << c.what;

    std::string tooMany;
    for (int i = 0; i <= kMaxFields; ++i)
        tooMany += "1\r\n";
    EXPECT_FALSE(readPalette(tooMany).keptWhole) << "more values than the counter holds";
}

} // namespace
} // namespace tinctora::palette
