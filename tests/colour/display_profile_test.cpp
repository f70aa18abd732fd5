#include "colour/display_profile.h"

#include <lcms2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace tinctora::colour {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kColord = "/usr/share/color/icc/colord/";

struct Rgb {
    int red, green, blue;
};

struct ConvertedRow {
    const char* profile;
    Rgb asRead;
    Rgb srgb;
};

// Worked out once with Pillow's ImageCms (relative colorimetric into its built-in sRGB), apart
// from this code. #B0360D on an Adobe RGB monitor is the #CC3300 of a colour-managed page; sRGB's
// own profile leaves values alone, bar the rounding of its tables.
const ConvertedRow kConverted[] = {
    {"AdobeRGB1998.icc", {0, 0, 0}, {0, 0, 0}},
    {"AdobeRGB1998.icc", {255, 255, 255}, {255, 255, 255}},
    {"AdobeRGB1998.icc", {176, 54, 13}, {204, 51, 0}},
    {"AdobeRGB1998.icc", {204, 51, 0}, {237, 48, 0}},
    {"AdobeRGB1998.icc", {18, 52, 86}, {0, 49, 87}},
    {"AdobeRGB1998.icc", {128, 128, 128}, {129, 129, 129}},
    {"AdobeRGB1998.icc", {250, 200, 30}, {255, 201, 0}},
    {"sRGB.icc", {204, 51, 0}, {204, 51, 0}},
    {"sRGB.icc", {18, 52, 86}, {18, 52, 86}},
    {"sRGB.icc", {128, 128, 128}, {128, 128, 128}},
    {"sRGB.icc", {0, 255, 0}, {1, 255, 0}},
    {"ProPhotoRGB.icc", {18, 52, 86}, {0, 74, 110}},
    {"ProPhotoRGB.icc", {128, 128, 128}, {146, 146, 146}},
    {"SwappedRedAndGreen.icc", {176, 54, 13}, {54, 176, 13}},
};

TEST(DisplayProfile, ConvertsEachMonitorValueToTheSrgbValueWithinOne) {
    for (const ConvertedRow& row : kConverted) {
        const ProfileReading reading = readDisplayProfile(fileBytes(kColord + row.profile));
        ASSERT_TRUE(reading.conversion) << row.profile << ": " << reading.whyUnusable;
        const ColourValue out = reading.conversion->toSrgb(
            colourFromBytes(row.asRead.red, row.asRead.green, row.asRead.blue));
        SCOPED_TRACE(std::string(row.profile) + " " + std::to_string(row.asRead.red) + "," +
                     std::to_string(row.asRead.green) + "," + std::to_string(row.asRead.blue));
        EXPECT_LE(std::abs(redByte(out) - row.srgb.red), 1);
        EXPECT_LE(std::abs(greenByte(out) - row.srgb.green), 1);
        EXPECT_LE(std::abs(blueByte(out) - row.srgb.blue), 1);
        EXPECT_EQ(out & ~0xFFFFFF, 0);
    }
}

TEST(DisplayProfile, NamesTheProfileAsItsDescriptionDoesAndKeepsNoColour) {
    const ProfileReading adobe = readDisplayProfile(fileBytes(kColord + "AdobeRGB1998.icc"));
    ASSERT_TRUE(adobe.conversion);
    EXPECT_EQ(adobe.conversion->description(), "Compatible with Adobe RGB (1998)");
    EXPECT_EQ(adobe.conversion->toSrgb(kNoColour), kNoColour);
    const ProfileReading srgb = readDisplayProfile(fileBytes(kColord + "sRGB.icc"));
    ASSERT_TRUE(srgb.conversion);
    EXPECT_EQ(srgb.conversion->description(), "sRGB");
}

Bytes savedProfile(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    Bytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

Bytes greyProfile() {
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE grey = cmsCreateGrayProfile(cmsD50_xyY(), gamma);
    cmsFreeToneCurve(gamma);
    return savedProfile(grey);
}

// A printer profile that LittleCMS can use: four inks to Lab through a table.
Bytes cmykProfile() {
    cmsHPROFILE cmyk = cmsCreateProfilePlaceholder(nullptr);
    cmsSetDeviceClass(cmyk, cmsSigOutputClass);
    cmsSetColorSpace(cmyk, cmsSigCmykData);
    cmsSetPCS(cmyk, cmsSigLabData);
    cmsPipeline* inks = cmsPipelineAlloc(nullptr, 4, 3);
    cmsPipelineInsertStage(inks, cmsAT_BEGIN, cmsStageAllocCLut16bit(nullptr, 2, 4, 3, nullptr));
    cmsWriteTag(cmyk, cmsSigAToB0Tag, inks);
    cmsPipelineFree(inks);
    return savedProfile(cmyk);
}

// A display profile with a header and nothing else: no curves, no colourants.
Bytes rgbProfileWithoutTables() {
    cmsHPROFILE empty = cmsCreateProfilePlaceholder(nullptr);
    cmsSetDeviceClass(empty, cmsSigDisplayClass);
    cmsSetColorSpace(empty, cmsSigRgbData);
    cmsSetPCS(empty, cmsSigXYZData);
    return savedProfile(empty);
}

Bytes firstBytes(Bytes bytes, std::size_t count) {
    bytes.resize(count);
    return bytes;
}

Bytes randomBytes() {
    std::mt19937 generator(28);
    Bytes bytes(4096);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(generator());
    return bytes;
}

// A real header on bytes that are noise after it.
Bytes headerThenNoise() {
    Bytes bytes = fileBytes(kColord + "AdobeRGB1998.icc");
    const Bytes noise = randomBytes();
    for (std::size_t i = 128; i < bytes.size(); ++i)
        bytes[i] = noise[i % noise.size()];
    return bytes;
}

TEST(DisplayProfile, RefusesBytesThatAreNoUsableRgbProfileWithTheReason) {
    const Bytes adobe = fileBytes(kColord + "AdobeRGB1998.icc");
    ASSERT_GT(adobe.size(), 1000u);
    struct Refused {
        const char* what;
        Bytes bytes;
        const char* why;
    };
    const Refused rows[] = {
        {"empty", {}, "It is empty."},
        {"header cut short", firstBytes(adobe, 100), "It is cut short."},
        {"before its signature", firstBytes(adobe, 39), "It is not an ICC profile."},
        {"tags cut short", firstBytes(adobe, adobe.size() / 2), "It is cut short."},
        {"last byte missing", firstBytes(adobe, adobe.size() - 1), "It is cut short."},
        {"no tables", rgbProfileWithoutTables(), "Its tables of colours are missing or cut short."},
        {"random", randomBytes(), "It is not an ICC profile."},
        {"header then noise", headerThenNoise(),
         "It is damaged: its header or its list of tables cannot be read."},
        {"grey", greyProfile(),
         "It describes shades of grey only, not the red, green and blue of a screen."},
        {"cmyk", cmykProfile(),
         "It describes the inks of a printer (CMYK), not the red, green and blue of a screen."},
    };
    for (const Refused& row : rows) {
        const ProfileReading reading = readDisplayProfile(row.bytes);
        EXPECT_FALSE(reading.conversion) << row.what;
        EXPECT_EQ(reading.whyUnusable, row.why) << row.what;
    }
}

} // namespace
} // namespace tinctora::colour
