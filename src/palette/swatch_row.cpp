#include "palette/swatch_row.h"

namespace tinctora::palette {

namespace {

std::size_t indexOf(int slot) {
    return static_cast<std::size_t>(slot - 1);
}

const std::string kEmptyText(kEmptySlot);

} // namespace

const std::string& SwatchRow::text(int slot) const {
    return isSlot(slot) ? texts_[indexOf(slot)] : kEmptyText;
}

void SwatchRow::changedNow() {
    changed_ = true;
    if (watcher_)
        watcher_();
}

void SwatchRow::clear() {
    texts_ = emptySlots();
    changedNow();
}

std::optional<int> SwatchRow::add(const std::string& text) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!isEmptySlot(texts_[indexOf(slot)]))
            continue;
        texts_[indexOf(slot)] = text;
        changedNow();
        return slot;
    }
    return std::nullopt;
}

void SwatchRow::put(int slot, const std::string& text) {
    if (!isSlot(slot))
        return;
    texts_[indexOf(slot)] = text;
    changedNow();
}

void SwatchRow::empty(std::optional<int> slot) {
    if (slot && isSlot(*slot))
        texts_[indexOf(*slot)] = std::string(kEmptySlot);
    changedNow();
}

void SwatchRow::fill(const ReadResult& read) {
    texts_ = emptySlots();
    for (int slot = 1; slot <= read.fieldsRead && slot <= kSlotCount; ++slot)
        texts_[indexOf(slot)] = read.texts[indexOf(slot)];
    changedNow();
}

std::optional<colour::ColourValue> SwatchRow::colourOf(int slot) const {
    const std::string& t = text(slot);
    if (isEmptySlot(t))
        return std::nullopt;
    return colour::parseDecimalColour(t);
}

std::optional<colour::ShownColour> SwatchRow::recall(std::optional<int> slot) const {
    if (!slot)
        return std::nullopt;
    const std::optional<colour::ColourValue> value = colourOf(*slot);
    if (!value)
        return std::nullopt;
    return colour::ShownColour{*value, text(*slot)};
}

std::string slotTextOf(const colour::ShownColour& shown) {
    if (isEmptySlot(shown.decimalText))
        return colour::paddedDecimalText(shown.value);
    return shown.decimalText;
}

} // namespace tinctora::palette
