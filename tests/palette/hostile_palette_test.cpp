// Palettes nobody would write by hand: endless files, binary junk, text in other encodings. Each
// has one defined outcome, and the reader never reads more than the field limit allows.
#include "palette/palette_format.h"
#include "text/delimited_field.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

namespace tinctora::palette {
namespace {

// An endless input: a prefix, then a pattern repeated "forever". It counts the bytes handed out,
// so a test can see how far the reader went; a reader that does not stop gets an end of input
// after `cap` bytes, so that the test fails instead of hanging.
class EndlessInput final : public std::streambuf {
public:
    EndlessInput(std::string prefix, std::string pattern, std::size_t cap)
        : prefix_(std::move(prefix)), pattern_(std::move(pattern)), cap_(cap) {
        buffer_.reserve(64 * 1024);
    }
    std::size_t bytesHandedOut() const {
        return handedOut_ - static_cast<std::size_t>(egptr() - gptr());
    }

protected:
    int_type underflow() override {
        if (handedOut_ >= cap_)
            return traits_type::eof();
        buffer_.clear();
        if (!prefixDone_) {
            buffer_ = prefix_;
            prefixDone_ = true;
        }
        while (buffer_.size() < 64 * 1024)
            buffer_ += pattern_;
        handedOut_ += buffer_.size();
        setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    std::string prefix_;
    std::string pattern_;
    std::string buffer_;
    std::size_t cap_;
    bool prefixDone_ = false;
    std::size_t handedOut_ = 0;
};

// The most one palette read may take from a file: every field, with all its blanks and junk,
// at the limit, plus one read-ahead buffer of the test input.
constexpr std::size_t kReadBound = (kMaxFields + 1) * (3 * kMaxFieldLength + 4) + 64 * 1024;

struct Endless {
    ReadResult result;
    std::size_t bytesRead;
};

Endless readEndless(const std::string& prefix, const std::string& pattern) {
    EndlessInput source(prefix, pattern, 4 * kReadBound);
    std::istream in(&source);
    Endless e{readPalette(in), 0};
    e.bytesRead = source.bytesHandedOut();
    return e;
}

TEST(EndlessPalette, ValidValuesStopAtTheSixteenBitFieldCounter) {
    const Endless e = readEndless("", "00000255\r\n");
    EXPECT_EQ(e.result.end, ReadEnd::ReadFailure);
    EXPECT_EQ(e.result.fieldsRead, kMaxFields);
    EXPECT_EQ(e.result.texts[0], "00000255") << "the slots read before the limit stay";
    EXPECT_EQ(e.result.texts[11], "00000255");
    EXPECT_LT(e.bytesRead, kReadBound);
}

TEST(EndlessPalette, EveryKindOfJunkEndsWithinTheBound) {
    struct Case {
        const char* what;
        std::string prefix;
        std::string pattern;
        int slotsKept;
    };
    const Case cases[] = {
        {"blanks only", "", " ", 0},
        {"tabs after a value", "255,", "\t", 1},
        {"a line without a comma", "", "7", 0},
        {"NUL bytes", "", std::string(1, '\0'), 0},
        {"an unclosed quote", "1\r\n\"", "x", 1},
        {"junk after a closing quote", "1\r\n\"2\"", "x", 1},
        {"bytes that are not UTF-8", "", "\xff\xfe\xc3", 0},
        {"blanks around every value", "", "  1          ,", kSlotCount},
    };
    for (const Case& c : cases) {
        const Endless e = readEndless(c.prefix, c.pattern);
        EXPECT_EQ(e.result.end, ReadEnd::ReadFailure) << c.what;
        EXPECT_LT(e.bytesRead, kReadBound) << c.what;
        for (int k = 0; k < c.slotsKept; ++k)
            EXPECT_NE(e.result.texts[static_cast<std::size_t>(k)], "0") << c.what;
        for (const std::string& text : e.result.texts)
            EXPECT_LE(text.size(), kMaxFieldLength) << c.what;
    }
}

TEST(HostilePalette, JunkInALineEmptiesThatSlotOnly) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    for (const Case& c : {Case{"bytes that are not UTF-8", "255\r\n\xc3\x28\xa0\xa1\r\n65280\r\n"},
                          Case{"a NUL byte inside a number", std::string("255\r\n12\0"
                                                                         "34\r\n65280\r\n",
                                                                         17)}}) {
        const ReadResult read = readPalette(c.bytes);
        EXPECT_EQ(read.end, ReadEnd::EndOfFile) << c.what;
        EXPECT_EQ(read.texts[0], "255") << c.what;
        EXPECT_EQ(read.texts[1], "0") << c.what;
        EXPECT_EQ(read.texts[2], "65280") << c.what;
    }
}

TEST(HostilePalette, AUtf8ByteOrderMarkIsSkipped) {
    // An editor that saves palettes as UTF-8 may put one before the first value.
    const ReadResult read = readPalette("\xef\xbb\xbf"
                                        "255\r\n65280\r\n");
    EXPECT_EQ(read.end, ReadEnd::EndOfFile);
    EXPECT_EQ(read.texts[0], "255");
    EXPECT_EQ(read.texts[1], "65280");
    EXPECT_EQ(readPalette("255\r\n\xef\xbb\xbf"
                          "65280\r\n")
                  .texts[1],
              "0")
        << "only at the very start";
}

TEST(HostileField, BlanksAndQuoteJunkUpToTheLimitAreStillOneField) {
    std::istringstream blanks(std::string(kMaxFieldLength, ' ') + "255,1");
    EXPECT_EQ(text::readDelimitedField(blanks, kMaxFieldLength), "255");
    std::istringstream junk("\"255\"" + std::string(kMaxFieldLength, 'x') + ",1");
    EXPECT_EQ(text::readDelimitedField(junk, kMaxFieldLength), "255");
    EXPECT_EQ(text::readDelimitedField(junk, kMaxFieldLength), "1") << "the next field follows";

    std::istringstream tooManyBlanks(std::string(kMaxFieldLength + 1, ' ') + "255");
    EXPECT_EQ(text::readDelimitedField(tooManyBlanks, kMaxFieldLength), std::nullopt);
    std::istringstream tooMuchJunk("\"255\"" + std::string(kMaxFieldLength + 1, 'x'));
    EXPECT_EQ(text::readDelimitedField(tooMuchJunk, kMaxFieldLength), std::nullopt);
}

} // namespace
} // namespace tinctora::palette
