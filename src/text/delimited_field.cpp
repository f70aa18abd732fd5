#include "text/delimited_field.h"

namespace tinctora::text {

namespace {

constexpr int kEof = std::char_traits<char>::eof();

// Consumes the rest of a line end that began with `first` (CR LF, LF or a lone CR) and says
// what the delimiter was.
void consumeDelimiter(std::istream& in, int first, FieldEnd* end) {
    if (first == '\r' && in.peek() == '\n')
        in.get();
    if (end)
        *end = first == ','    ? FieldEnd::Comma
               : first == kEof ? FieldEnd::EndOfInput
                               : FieldEnd::LineEnd;
}

bool isLineEnd(int ch) {
    return ch == '\r' || ch == '\n';
}

} // namespace

bool atEndOfInput(std::istream& in) {
    return in.peek() == kEof;
}

std::optional<std::string> readDelimitedField(std::istream& in, std::size_t maxLength,
                                              FieldEnd* end) {
    // Every run of bytes that the field consumes is bounded, so that a hostile file (gigabytes of
    // blanks, or of junk after a closing quote) is never read to its end for one field.
    std::size_t blanks = 0;
    int ch = in.get();
    while (ch == ' ' || ch == '\t') {
        if (++blanks > maxLength)
            return std::nullopt;
        ch = in.get();
    }

    std::string field;
    if (ch == '"') {
        for (ch = in.get(); ch != kEof && ch != '"'; ch = in.get()) {
            if (field.size() >= maxLength)
                return std::nullopt;
            field.push_back(static_cast<char>(ch));
        }
        // Whatever stands between the closing quote and the delimiter is not part of the field.
        std::size_t skipped = 0;
        for (ch = in.get(); ch != kEof && ch != ',' && !isLineEnd(ch); ch = in.get()) {
            if (++skipped > maxLength)
                return std::nullopt;
        }
        consumeDelimiter(in, ch, end);
        return field;
    }

    for (; ch != kEof && ch != ',' && !isLineEnd(ch); ch = in.get()) {
        if (field.size() >= maxLength)
            return std::nullopt;
        field.push_back(static_cast<char>(ch));
    }
    consumeDelimiter(in, ch, end);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.pop_back();
    return field;
}

} // namespace tinctora::text
