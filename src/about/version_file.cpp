#include "about/version_file.h"

#include "text/delimited_field.h"

#include <sstream>

namespace tinctora::about {

std::string runningVersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

std::optional<std::string> readFirstItem(std::istream& in) {
    // Blanks before the item are not data: a file of blanks holds no item, like an empty one.
    while (in.peek() == ' ' || in.peek() == '\t')
        in.get();
    if (text::atEndOfInput(in))
        return std::nullopt;
    return text::readDelimitedField(in, kMaxItemLength);
}

std::optional<std::string> readFirstItem(std::string_view fileText) {
    std::istringstream in{std::string(fileText)};
    return readFirstItem(in);
}

bool isRunningVersion(std::string_view item) {
    return item == runningVersionText();
}

} // namespace tinctora::about
