#pragma once

#include <istream>
#include <optional>
#include <string>

// One field of delimited text input, as palette files and the version file are read:
// leading blanks are skipped; a field that begins with a double quote runs to the next double
// quote (both dropped) and anything after it up to the delimiter is discarded; any other field
// runs to a comma or the end of the line, without trailing blanks. The delimiter is consumed
// (CR LF, LF or CR end a line). A field longer than maxLength, more than maxLength leading
// blanks, or more than maxLength bytes between a closing quote and the delimiter give nothing and
// leave the stream inside the field: one field never reads more than about 3 x maxLength bytes.
namespace tinctora::text {

// Skips nothing: true when no byte is left.
bool atEndOfInput(std::istream& in);

// What ended a field that was read.
enum class FieldEnd { Comma, LineEnd, EndOfInput };

std::optional<std::string> readDelimitedField(std::istream& in, std::size_t maxLength,
                                              FieldEnd* end = nullptr);

} // namespace tinctora::text
