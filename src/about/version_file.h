#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>

// The vendor's version file and what the About window makes of it.
namespace tinctora::about {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;

// "major.minor" of the running program, as the version file writes it ("1.1").
std::string runningVersionText();

// A version file is at most this long; a longer first item is not a version.
inline constexpr std::size_t kMaxItemLength = 64 * 1024;

// The first data item of a version file, read as delimited text input reads one string item:
// leading blanks are skipped, an item in double quotes runs to the closing quote, any other item
// runs to the first comma or the end of the first line. Nothing when the file holds no data item
// at all (empty, or only blanks) or the item is longer than kMaxItemLength.
std::optional<std::string> readFirstItem(std::istream& in);
std::optional<std::string> readFirstItem(std::string_view fileText);

// The comparison is textual and exact: "1.10" and "01.1" are not "1.1".
bool isRunningVersion(std::string_view item);

} // namespace tinctora::about
