#pragma once

#include "colour/colour_value.h"

#include <span>
#include <string>
#include <string_view>

// Names a person can say for any colour: the nearest of the 148 named colours of CSS Color 4.
namespace tinctora::colour {

struct NamedColour {
    std::string_view name; // lower case, as CSS writes it: "firebrick"
    int rgb;               // 0xRRGGBB, as CSS writes it: 0xB22222
};

// All 148, in alphabetical order. Some values carry two names (aqua and cyan, fuchsia and
// magenta, each gray with its grey).
std::span<const NamedColour> cssNamedColours();

struct ColourName {
    std::string_view name;
    bool exact; // the colour is the named colour itself
};

// The named colour nearest in OKLab (the plain distance of lightness, a and b), of the painted
// colour (the low 24 bits). Of two names for one value the alphabetically first wins ("aqua",
// "gray").
ColourName nearestCssName(ColourValue v);

// "firebrick" for the named colour itself, "near firebrick" for any other.
std::string colourNameText(ColourValue v);

// "#B22222, firebrick": the hex code and the name, as the colour's tooltip and what a screen
// reader says of it.
std::string spokenColour(ColourValue v);

} // namespace tinctora::colour
