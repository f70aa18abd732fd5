#include "colour/display_profile.h"

#ifdef TINCTORA_WITHOUT_LCMS2

// A build without LittleCMS (a Windows build whose cache lacks it) reads no profile and says why.
namespace tinctora::colour {

struct DisplayProfileConversion::Engine {};

DisplayProfileConversion::DisplayProfileConversion(std::unique_ptr<Engine> engine,
                                                   std::string description)
    : engine_(std::move(engine)), description_(std::move(description)) {}
DisplayProfileConversion::~DisplayProfileConversion() = default;
ColourValue DisplayProfileConversion::toSrgb(ColourValue asRead) const {
    return asRead;
}
ProfileReading readDisplayProfile(std::span<const unsigned char>) {
    return {nullptr, "This copy of Tinctora was built without the colour engine that reads "
                     "profiles."};
}

} // namespace tinctora::colour

#else

#include <lcms2.h>

#include <vector>

namespace tinctora::colour {

// The profile's own transform, with the LittleCMS context it lives in. The context is private to
// each profile: LittleCMS reports what it could not read through it, and one profile's fault
// never mixes with another's.
struct DisplayProfileConversion::Engine {
    std::string lastError; // what LittleCMS last complained of, for the developer
    cmsContext context = nullptr;
    cmsHTRANSFORM transform = nullptr;

    Engine() {
        context = cmsCreateContext(nullptr, this);
        if (context)
            cmsSetLogErrorHandlerTHR(context, [](cmsContext c, cmsUInt32Number, const char* text) {
                auto* self = static_cast<Engine*>(cmsGetContextUserData(c));
                if (self && text)
                    self->lastError = text;
            });
    }
    ~Engine() {
        if (transform)
            cmsDeleteTransform(transform);
        if (context)
            cmsDeleteContext(context);
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
};

namespace {

// Closes a profile when reading ends; the transform keeps what it needs of it.
struct OpenProfile {
    cmsHPROFILE handle = nullptr;
    ~OpenProfile() {
        if (handle)
            cmsCloseProfile(handle);
    }
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The description as one line of UTF-8: LittleCMS hands it over as wchar_t (UTF-16 on Windows,
// UTF-32 elsewhere). Control characters (profiles often end it with a line break) become spaces,
// broken surrogates the replacement character, and the ends are trimmed.
std::string descriptionOf(cmsHPROFILE profile) {
    constexpr std::size_t kMaxCharacters = 200;
    const cmsUInt32Number bytes =
        cmsGetProfileInfo(profile, cmsInfoDescription, "en", "US", nullptr, 0);
    if (bytes == 0)
        return {};
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    cmsGetProfileInfo(profile, cmsInfoDescription, "en", "US", text.data(),
                      static_cast<cmsUInt32Number>(text.size() * sizeof(wchar_t)));
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && text[i] != L'\0' && characters < kMaxCharacters;
         ++i, ++characters) {
        char32_t c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            c &= 0xFFFF;
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
                const char32_t low = static_cast<char32_t>(text[i + 1]) & 0xFFFF;
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF)
            c = 0xFFFD;
        if (c < 0x20 || c == 0x7F)
            c = ' ';
        appendUtf8(out, c);
    }
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

ProfileReading refused(std::string why) {
    return {nullptr, std::move(why)};
}

} // namespace

DisplayProfileConversion::DisplayProfileConversion(std::unique_ptr<Engine> engine,
                                                   std::string description)
    : engine_(std::move(engine)), description_(std::move(description)) {}

DisplayProfileConversion::~DisplayProfileConversion() = default;

ColourValue DisplayProfileConversion::toSrgb(ColourValue asRead) const {
    if (asRead == kNoColour)
        return kNoColour;
    const unsigned char in[3] = {static_cast<unsigned char>(redByte(asRead)),
                                 static_cast<unsigned char>(greenByte(asRead)),
                                 static_cast<unsigned char>(blueByte(asRead))};
    unsigned char out[3] = {in[0], in[1], in[2]};
    cmsDoTransform(engine_->transform, in, out, 1);
    return colourFromBytes(out[0], out[1], out[2]);
}

ProfileReading readDisplayProfile(std::span<const unsigned char> bytes) {
    if (bytes.empty())
        return refused("It is empty.");
    if (bytes.size() > kMaxProfileBytes)
        return refused("It is far too large to be a display profile.");
    // Every ICC profile says "acsp" at byte 36 of its header, which begins with the profile's
    // size: bytes that stop before that size are cut short, even where the tags that remain
    // would still make a conversion (of the wrong colours, perhaps).
    constexpr std::size_t kMagicAt = 36;
    if (bytes.size() < kMagicAt + 4 || bytes[kMagicAt] != 'a' || bytes[kMagicAt + 1] != 'c' ||
        bytes[kMagicAt + 2] != 's' || bytes[kMagicAt + 3] != 'p')
        return refused("It is not an ICC profile.");
    const std::size_t declared = (std::size_t{bytes[0]} << 24) | (std::size_t{bytes[1]} << 16) |
                                 (std::size_t{bytes[2]} << 8) | std::size_t{bytes[3]};
    if (declared > bytes.size())
        return refused("It is cut short.");
    auto engine = std::make_unique<DisplayProfileConversion::Engine>();
    if (!engine->context)
        return refused("There is not enough memory to read it.");

    OpenProfile profile{cmsOpenProfileFromMemTHR(engine->context, bytes.data(),
                                                 static_cast<cmsUInt32Number>(bytes.size()))};
    if (!profile.handle)
        return refused("It is damaged: its header or its list of tables cannot be read.");
    // The header's signatures are whatever the bytes say, so they are read as numbers: a value
    // outside LittleCMS's enumerations is no valid value of its enum types.
    switch (static_cast<cmsUInt32Number>(cmsGetDeviceClass(profile.handle))) {
    case cmsSigLinkClass:
    case cmsSigAbstractClass:
    case cmsSigNamedColorClass:
        return refused("It is not the profile of a device but a conversion or a list of named "
                       "colours.");
    default:
        break;
    }
    switch (static_cast<cmsUInt32Number>(cmsGetColorSpace(profile.handle))) {
    case cmsSigRgbData:
        break;
    case cmsSigGrayData:
        return refused("It describes shades of grey only, not the red, green and blue of a "
                       "screen.");
    case cmsSigCmykData:
        return refused("It describes the inks of a printer (CMYK), not the red, green and blue "
                       "of a screen.");
    default:
        return refused("It describes colours other than the red, green and blue of a screen.");
    }
    const auto connection = static_cast<cmsUInt32Number>(cmsGetPCS(profile.handle));
    if (connection != static_cast<cmsUInt32Number>(cmsSigXYZData) &&
        connection != static_cast<cmsUInt32Number>(cmsSigLabData))
        return refused("It is damaged: its header or its list of tables cannot be read.");

    OpenProfile srgb{cmsCreate_sRGBProfileTHR(engine->context)};
    if (!srgb.handle)
        return refused("There is not enough memory to read it.");
    engine->transform =
        cmsCreateTransformTHR(engine->context, profile.handle, TYPE_RGB_8, srgb.handle, TYPE_RGB_8,
                              INTENT_RELATIVE_COLORIMETRIC, 0);
    if (!engine->transform)
        return refused("Its tables of colours are missing or cut short.");
    std::string description = descriptionOf(profile.handle);
    return {std::make_shared<DisplayProfileConversion>(std::move(engine), std::move(description)),
            {}};
}

} // namespace tinctora::colour

#endif
