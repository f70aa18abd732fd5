#pragma once

#include "colour/colour_text.h"
#include "palette/palette_format.h"

#include <functional>
#include <optional>
#include <string>

namespace tinctora::palette {

// The twelve saved-colour slots, numbered 1..kSlotCount, and whether they changed since the row
// was last read from or written to its palette file. Slot texts are kept exactly as they were
// stored or read; a read never lets in a text that would not load again as a colour.
class SwatchRow {
public:
    // Called after every change of the slots (not of the changed flag alone), so that whatever
    // shows the row follows it. One watcher; an empty function stops the calls.
    void onChange(std::function<void()> watcher) { watcher_ = std::move(watcher); }

    const SlotTexts& texts() const { return texts_; }
    // The text of a slot; "0" (empty) for a number outside 1..kSlotCount.
    const std::string& text(int slot) const;
    bool changed() const { return changed_; }
    // The row now matches its palette file.
    void markSaved() { changed_ = false; }

    // Empties every slot; even an empty row then counts as changed.
    void clear();
    // Stores the text in the first empty slot and returns that slot; a full row stays unchanged.
    std::optional<int> add(const std::string& text);
    // Replaces the text of one slot.
    void put(int slot, const std::string& text);
    // Empties one slot and leaves the others in their places; the row counts as changed even
    // when no slot (or one outside the row) was chosen.
    void empty(std::optional<int> slot);
    // Empties the row and takes the slots a palette read filled; marked changed, like clear().
    void fill(const ReadResult& read);

    // The colour a swatch shows for its slot: nothing for an empty slot or a text that is no
    // number (a "0" in slot 1 is an empty slot, not black).
    std::optional<colour::ColourValue> colourOf(int slot) const;
    // The colour and text a recall shows, or nothing when there is no colour to recall.
    std::optional<colour::ShownColour> recall(std::optional<int> slot) const;

    static bool isSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

private:
    void changedNow();

    SlotTexts texts_ = emptySlots();
    bool changed_ = false;
    std::function<void()> watcher_;
};

// The text a slot stores for a shown colour: the text as shown, except that black shown as the
// bare "0" (the colour dialog's plain form) is stored zero-filled, since a bare "0" in a slot is
// the empty slot and the black would be lost.
std::string slotTextOf(const colour::ShownColour& shown);

} // namespace tinctora::palette
