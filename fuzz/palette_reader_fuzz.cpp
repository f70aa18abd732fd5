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
    // Whatever the file held, the row holds only empty slots and colours that a save writes so
    // that they load again as the same colours.
    for (const std::string& text : read.texts) {
        FUZZ_CHECK(palette::isStorableSlotText(text));
        FUZZ_CHECK(colour::parseDecimalColour(text).has_value());
    }
    const palette::ReadResult again = palette::readPalette(palette::writePalette(read.texts));
    FUZZ_CHECK(again.end ==
               (palette::allSlotsEmpty(read.texts) ? ReadEnd::Marker : ReadEnd::EndOfFile));
    for (std::size_t i = 0; i < read.texts.size(); ++i)
        FUZZ_CHECK(colour::parseDecimalColour(again.texts[i]) ==
                   colour::parseDecimalColour(read.texts[i]));
    return 0;
}
