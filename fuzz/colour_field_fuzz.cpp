// Any text at all typed, pasted or dropped into a colour field of the Contrast window: reading it
// must neither crash nor give more than 24 bits, a colour read must come back from the report's
// own "#RRGGBB", and the report on it is always the fourteen lines it promises.
#include "fuzz_check.h"

#include "colour/contrast.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace tinctora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<colour::ColourValue> read = colour::parseColourField(text);
    if (!read)
        return 0;
    FUZZ_CHECK(*read >= 0 && *read <= 0xFFFFFF);
    FUZZ_CHECK(colour::parseColourField(colour::reportHex(*read)) == read);
    // Against white and black: the report's size does not depend on the colours.
    for (colour::ColourValue background : {0xFFFFFF, 0x000000}) {
        const std::string report = colour::contrastReport(*read, background);
        FUZZ_CHECK(!report.empty() && report.back() == '\n');
        FUZZ_CHECK(std::count(report.begin(), report.end(), '\n') == 14);
        FUZZ_CHECK(report.rfind("Text " + colour::reportHex(*read) + " on background ", 0) == 0);
    }
    return 0;
}
