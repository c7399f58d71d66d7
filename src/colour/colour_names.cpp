// Colour names: a hue word from the hue circle, qualified by lightness and
// saturation, with the everyday names (brown, pink, beige, navy...) taking
// the place of the word and qualifier they stand for.
#include "colour/colour_names.h"

#include <algorithm>
#include <cmath>

namespace {

struct Words {
    const char* english;
    const char* italian;
};

enum class Word {
    Black, DarkGrey, Grey, LightGrey, White,
    Red, Orange, Yellow, Green, Turquoise, Blue, Purple, Magenta, Pink,
    Brown, Beige, Olive, Navy, LightBlue, Lilac,
};

constexpr Words kWords[] = {
    {"black", "nero"},       {"dark grey", "grigio scuro"}, {"grey", "grigio"},   {"light grey", "grigio chiaro"},
    {"white", "bianco"},     {"red", "rosso"},              {"orange", "arancione"}, {"yellow", "giallo"},
    {"green", "verde"},      {"turquoise", "turchese"},     {"blue", "blu"},       {"purple", "viola"},
    {"magenta", "magenta"},  {"pink", "rosa"},              {"brown", "marrone"},  {"beige", "beige"},
    {"olive", "verde oliva"}, {"navy", "blu marino"},       {"light blue", "azzurro"}, {"lilac", "lilla"},
};

enum class Qualifier { None, Dark, Light, Pale, Greyish };

constexpr Words kQualifiers[] = {
    {"", ""}, {"dark", "scuro"}, {"light", "chiaro"}, {"pale", "pallido"}, {"greyish", "grigiastro"},
};

struct Name {
    Word word;
    Qualifier qualifier = Qualifier::None;
};

// Hue families by where they start on the circle, in degrees; red wraps round.
struct HueFamily {
    double from;
    Word word;
};
constexpr HueFamily kHues[] = {
    {0, Word::Red},     {15, Word::Orange}, {45, Word::Yellow},  {70, Word::Green},   {160, Word::Turquoise},
    {185, Word::Blue},  {255, Word::Purple}, {285, Word::Magenta}, {320, Word::Pink}, {345, Word::Red},
};

Name NameOf(double red, double green, double blue)
{
    const double high = std::max({red, green, blue});
    const double low = std::min({red, green, blue});
    const double chroma = high - low;
    const double lightness = (high + low) / 2;
    const double saturation = chroma == 0 ? 0 : chroma / (1 - std::abs(2 * lightness - 1));

    // Too little colour to name: a grey by lightness.
    if (chroma < 0.07 || saturation < 0.1) {
        if (lightness < 0.1)
            return {Word::Black};
        if (lightness < 0.35)
            return {Word::DarkGrey};
        if (lightness < 0.65)
            return {Word::Grey};
        if (lightness < 0.9)
            return {Word::LightGrey};
        return {Word::White};
    }

    double hue = 0;
    if (high == red)
        hue = 60 * std::fmod((green - blue) / chroma + 6, 6.0);
    else if (high == green)
        hue = 60 * ((blue - red) / chroma + 2);
    else
        hue = 60 * ((red - green) / chroma + 4);
    Word word = Word::Red;
    for (const HueFamily& family : kHues)
        if (hue >= family.from)
            word = family.word;

    const bool dark = lightness < 0.3;
    const bool light = lightness > 0.7;
    const bool dull = saturation < 0.35;

    // The everyday names, each standing for a hue at some lightness.
    if (hue >= 20 && hue < 65 && lightness > 0.65 && lightness < 0.95 && saturation < 0.8)
        return {Word::Beige};
    if (word == Word::Orange && high < 0.7)
        return {Word::Brown, dull ? Qualifier::Greyish : Qualifier::None};
    if (word == Word::Yellow && high < 0.6)
        return {Word::Olive, dull ? Qualifier::Greyish : Qualifier::None};
    if (word == Word::Blue && dark && saturation < 0.6)
        return {Word::Navy};
    if (word == Word::Magenta && lightness < 0.35)
        return {Word::Purple, dull ? Qualifier::Greyish : Qualifier::None};
    if (light) {
        if (word == Word::Red || word == Word::Pink)
            return {Word::Pink, dull ? Qualifier::Pale : Qualifier::None};
        if (word == Word::Blue)
            return {Word::LightBlue, dull ? Qualifier::Pale : Qualifier::None};
        if (word == Word::Magenta || word == Word::Purple)
            return {Word::Lilac, dull ? Qualifier::Pale : Qualifier::None};
    }

    if (dull)
        return {word, light ? Qualifier::Pale : Qualifier::Greyish};
    if (dark)
        return {word, Qualifier::Dark};
    if (light)
        return {word, Qualifier::Light};
    return {word};
}

} // namespace

std::string ColourName(ColorValue color, NameLanguage language)
{
    if (color < 0)
        return {};
    const ColorRGB rgb = ColorToRGB(color);
    const Name name = NameOf(rgb.Red / 255.0, rgb.Green / 255.0, rgb.Blue / 255.0);
    const Words& word = kWords[static_cast<int>(name.word)];
    const Words& qualifier = kQualifiers[static_cast<int>(name.qualifier)];
    if (name.qualifier == Qualifier::None)
        return language == NameLanguage::English ? word.english : word.italian;
    // English puts the qualifier first, Italian after the colour.
    return language == NameLanguage::English ? std::string(qualifier.english) + " " + word.english
                                             : std::string(word.italian) + " " + qualifier.italian;
}
