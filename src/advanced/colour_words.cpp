// Colour names in the language the resource loader picks for the user.
#include "advanced/colour_words.h"

#include "colour/colour_names.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "toolkit/window.h"

std::wstring UserColourName(ColorValue color)
{
    // The string table says which language the names are in, so they follow
    // the same choice as every other text.
    static const NameLanguage language =
        LoadResString(IDS_NAME_LANGUAGE) == L"it" ? NameLanguage::Italian : NameLanguage::English;
    return tk::Widen(ColourName(color, language));
}

std::wstring ColourAndValue(ColorValue color, const std::wstring& separator)
{
    if (color < 0)
        return {};
    return UserColourName(color) + separator + tk::Widen(AddHashPrefix(ColorToHex(color)));
}
