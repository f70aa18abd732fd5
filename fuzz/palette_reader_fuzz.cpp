// Any bytes at all as a palette file: the reader must neither crash nor read without bound, and
// what it keeps must be what it promises.
#include "fuzz_check.h"

#include "colour/colour_text.h"
#include "palette/palette_format.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace tinctora;
using palette::ReadEnd;

namespace {

bool trimsToTheMarker(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text == palette::kEmptyPaletteMarker;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const palette::ReadResult read = palette::readPalette(bytes);

    FUZZ_CHECK(read.fieldsRead >= 0 && read.fieldsRead <= palette::kMaxFields);
    for (int k = 1; k <= palette::kSlotCount; ++k) {
        const std::string& text = read.texts[static_cast<std::size_t>(k - 1)];
        FUZZ_CHECK(text.size() <= palette::kMaxFieldLength);
        if (k > read.fieldsRead)
            FUZZ_CHECK(palette::isEmptySlot(text));
    }
    if (read.end == ReadEnd::ReadFailure)
        return 0;

    // A palette that was read to its end holds only numbers, never the marker, and saving it gives
    // a file that loads the same colours again.
    bool markerInDisguise = false;
    for (const std::string& text : read.texts) {
        FUZZ_CHECK(colour::parseDecimalColour(text).has_value());
        FUZZ_CHECK(text != palette::kEmptyPaletteMarker);
        markerInDisguise = markerInDisguise || trimsToTheMarker(text);
    }
    // A quoted "-1207 " is kept as a colour but written without its quotes, and then it is the
    // marker: the one hand-edited text that does not survive a save.
    if (markerInDisguise)
        return 0;
    const palette::ReadResult again = palette::readPalette(palette::writePalette(read.texts));
    FUZZ_CHECK(again.end == ReadEnd::EndOfFile || palette::allSlotsEmpty(read.texts));
    for (std::size_t i = 0; i < read.texts.size(); ++i)
        FUZZ_CHECK(colour::parseDecimalColour(again.texts[i]) ==
                   colour::parseDecimalColour(read.texts[i]));
    return 0;
}
