// Any bytes at all as the vendor's version file: the first item is found without crashing, within
// its length limit, and it is what delimited input would read.
#include "fuzz_check.h"

#include "about/version_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace tinctora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> item = about::readFirstItem(bytes);

    const std::size_t start = bytes.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        FUZZ_CHECK(!item); // empty, or blanks only: no item at all
        return 0;
    }
    if (!item) {
        FUZZ_CHECK(size > about::kMaxItemLength); // only an overlong item is refused
        return 0;
    }
    FUZZ_CHECK(item->size() <= about::kMaxItemLength);
    FUZZ_CHECK(item->size() <= size);
    if (bytes[start] == '"') {
        FUZZ_CHECK(item->find('"') == std::string::npos);
        FUZZ_CHECK(bytes.substr(start + 1).starts_with(*item));
    } else {
        FUZZ_CHECK(item->find_first_of(",\r\n") == std::string::npos);
        FUZZ_CHECK(item->empty() || (item->back() != ' ' && item->back() != '\t'));
        FUZZ_CHECK(bytes.substr(start).starts_with(*item));
    }
    return 0;
}
