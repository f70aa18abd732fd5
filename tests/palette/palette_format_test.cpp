#include "palette/palette_format.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tinctora::palette {
namespace {

SlotTexts row(std::initializer_list<const char*> texts) {
    SlotTexts slots = emptySlots();
    std::size_t i = 0;
    for (const char* t : texts)
        slots[i++] = t;
    return slots;
}

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

TEST(PaletteReader, ValuesAfterTheTwelfthAreReadAndIgnored) {
    std::string content;
    for (int i = 1; i <= 20; ++i)
        content += std::to_string(i) + "\r\n";
    const ReadResult read = readPalette(content);
    EXPECT_EQ(read.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.fieldsRead, 20);
    EXPECT_EQ(read.texts[11], "12");
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

TEST(PaletteReader, ABadFieldEndsTheReadingAndStaysInItsSlot) {
    const ReadResult read = readPalette("255\r\nred\r\n65280\r\n");
    EXPECT_EQ(read.end, ReadEnd::ReadFailure);
    EXPECT_EQ(read.texts, row({"255", "red"}));
}

TEST(PaletteReader, ABlankLineIsABadField) {
    const ReadResult read = readPalette("255\r\n\r\n65280\r\n");
    EXPECT_EQ(read.end, ReadEnd::ReadFailure);
    EXPECT_EQ(read.texts, row({"255", ""}));
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

TEST(PaletteReader, NulBytesAreNotANumber) {
    EXPECT_EQ(readPalette(std::string(64, '\0')).end, ReadEnd::ReadFailure);
}

} // namespace
} // namespace tinctora::palette
