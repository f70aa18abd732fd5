// The swatch row's rules, without a window.
#include "palette/swatch_row.h"

#include <gtest/gtest.h>

#include <functional>

namespace tinctora::palette {
namespace {

SlotTexts slots(std::initializer_list<const char*> texts) {
    SlotTexts r = emptySlots();
    std::size_t i = 0;
    for (const char* t : texts)
        r[i++] = t;
    return r;
}

TEST(SwatchRow, AddFillsTheFirstHoleAndAFullRowStaysUnchanged) {
    SwatchRow row;
    EXPECT_EQ(row.add("1"), 1);
    EXPECT_EQ(row.add("2"), 2);
    row.empty(1);
    row.markSaved();
    EXPECT_EQ(row.add("3"), 1);
    EXPECT_TRUE(row.changed());
    for (int k = 3; k <= kSlotCount; ++k)
        row.add(std::to_string(k + 1));
    row.markSaved();
    EXPECT_EQ(row.add("x"), std::nullopt);
    EXPECT_FALSE(row.changed()) << "an add that stores nothing leaves the flag";
}

TEST(SwatchRow, AShownColourIsStoredAsShownButBlackNeverAsTheEmptySlot) {
    struct Case {
        colour::ShownColour shown;
        const char* stored;
    };
    for (const Case& c : {Case{{0, "0"}, "00000000"}, Case{{0, "00000000"}, "00000000"},
                          Case{{255, "255"}, "255"}, Case{{255, "00000255"}, "00000255"}}) {
        EXPECT_EQ(slotTextOf(c.shown), c.stored) << c.shown.decimalText;
        SwatchRow row;
        row.add(slotTextOf(c.shown));
        EXPECT_EQ(row.colourOf(1), c.shown.value) << "it reads back as the colour shown";
    }
}

TEST(SwatchRow, EmptyAndPutOutsideTheRow) {
    struct Case {
        std::optional<int> slot;
        SlotTexts after;
    };
    for (const Case& c : {Case{std::nullopt, slots({"1", "2"})}, Case{0, slots({"1", "2"})},
                          Case{13, slots({"1", "2"})}, Case{-1, slots({"1", "2"})},
                          Case{2, slots({"1", "0"})}, Case{5, slots({"1", "2"})}}) {
        SwatchRow row;
        row.add("1");
        row.add("2");
        row.markSaved();
        row.empty(c.slot);
        EXPECT_EQ(row.texts(), c.after) << c.slot.value_or(-99);
        EXPECT_TRUE(row.changed()) << "even an empty or unknown slot marks the row changed";
    }
    SwatchRow row;
    row.put(13, "5");
    row.put(0, "5");
    EXPECT_EQ(row.texts(), emptySlots());
    EXPECT_FALSE(row.changed());
    row.put(12, "5");
    EXPECT_EQ(row.text(12), "5");
    EXPECT_EQ(row.text(13), "0");
}

TEST(SwatchRow, RecallAndColoursOfSlotTexts) {
    SwatchRow row;
    ReadResult read;
    read.texts = slots({"0", "00000255", "red", "00000000", "-5"});
    read.fieldsRead = 5;
    row.fill(read);
    EXPECT_TRUE(row.changed());
    struct Case {
        std::optional<int> slot;
        std::optional<colour::ColourValue> colour;
    };
    for (const Case& c : {Case{1, std::nullopt}, Case{2, 255}, Case{3, std::nullopt}, Case{4, 0},
                          Case{5, -5}, Case{6, std::nullopt}, Case{0, std::nullopt},
                          Case{13, std::nullopt}, Case{std::nullopt, std::nullopt}}) {
        const int slot = c.slot.value_or(0);
        if (c.slot) {
            EXPECT_EQ(row.colourOf(slot), c.colour) << slot;
        }
        const std::optional<colour::ShownColour> recalled = row.recall(c.slot);
        ASSERT_EQ(recalled.has_value(), c.colour.has_value()) << slot;
        if (recalled) {
            EXPECT_EQ(*recalled, (colour::ShownColour{*c.colour, row.text(slot)})) << slot;
        }
    }
    row.clear();
    EXPECT_EQ(row.texts(), emptySlots());
}

// Whatever shows the row is told of every change to its slots, once, after it is made.
TEST(SwatchRow, TellsItsWatcherOfEachChangeOfItsSlots) {
    ReadResult read;
    read.texts = slots({"7", "8"});
    read.fieldsRead = 2;
    const SlotTexts full = slots({"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    struct Case {
        const char* what;
        SlotTexts before;
        std::function<void(SwatchRow&)> change;
        std::optional<SlotTexts> seen; // the slots as the watcher finds them; nothing: no call
    };
    const Case cases[] = {
        {"an add", slots({"1"}), [](SwatchRow& r) { r.add("5"); }, slots({"1", "5"})},
        {"an add to a full row", full, [](SwatchRow& r) { r.add("5"); }, std::nullopt},
        {"a put", slots({"1"}), [](SwatchRow& r) { r.put(2, "5"); }, slots({"1", "5"})},
        {"a put outside the row", slots({"1"}), [](SwatchRow& r) { r.put(13, "5"); }, std::nullopt},
        {"an empty", slots({"1", "2"}), [](SwatchRow& r) { r.empty(1); }, slots({"0", "2"})},
        {"a clear", full, [](SwatchRow& r) { r.clear(); }, emptySlots()},
        {"a fill", full, [&read](SwatchRow& r) { r.fill(read); }, slots({"7", "8"})},
        {"marked saved", full, [](SwatchRow& r) { r.markSaved(); }, std::nullopt},
    };
    for (const Case& c : cases) {
        SwatchRow row;
        for (int slot = 1; slot <= kSlotCount; ++slot)
            row.put(slot, c.before[static_cast<std::size_t>(slot - 1)]);
        std::vector<SlotTexts> seen;
        row.onChange([&] { seen.push_back(row.texts()); });
        c.change(row);
        EXPECT_EQ(seen, c.seen ? std::vector{*c.seen} : std::vector<SlotTexts>{}) << c.what;
    }
}

} // namespace
} // namespace tinctora::palette
