// The texts a user must see, written out independently of the program's
// string table (with \u escapes, so the accented letters cannot depend on how
// a file is read) so that a wrong table or a wrong language fails. Texts(lang)
// is the table of "en" or "it", Text(table, IDS_*) one of its strings.
// ExpectedLanguage() is the language the run expects, from
// TAVOLISK_EXPECT_LANGUAGE ("en" or "it", set by the test registration
// beside the locale), and ExpectedText(IDS_*) a string in that language;
// ExpectedMenuCaptions() the main window's popup menu in that language, "-"
// for a separator.
#pragma once

#include "resources/resource.h"

#include <array>
#include <cstdlib>
#include <string>
#include <vector>
#include <string_view>

namespace tktest {

inline constexpr int kFirstTextId = 101;
using TextTable = std::array<std::wstring_view, 29>;

inline constexpr TextTable kEnglish{
    L"Lock",
    L"Help",
    L"About...",
    L"Move with alpha",
    L"Exit",
    L"For more informations visit:",
    L"Created by: Quenmarlo",
    L"It drags the application on the zone from which you want to gain the information on the color, it "
    L"centers (using the view-finder) the zone and the application will gain in automatic rifle the color and "
    L"it will convert it in the values uses you more than frequent: HEX (for applications WEB), Numerical, RGB.",
    L"Close",
    L"",
    L"Advanced view...",
    L"Copy",
    L"Zoom",
    L"Contrast",
    L"Sample",
    L"1 pixel",
    L"3 \u00d7 3 average",
    L"5 \u00d7 5 average",
    L"9 \u00d7 9 average",
    L"Most common colour",
    L"History",
    L"No colours yet",
    L"Save palette\u2026",
    L"Clear history",
    L"GIMP palette (*.gpl)",
    L"CSS custom properties (*.css)",
    L"Text (*.txt)",
    L"Save palette",
    L"The palette could not be saved to this file:",
};

inline constexpr TextTable kItalian{
    L"Blocca",
    L"Guida",
    L"Informazioni...",
    L"Spostamento in trasparenza",
    L"Uscita",
    L"Per maggiori informazioni, visita il sito Web:",
    L"Creato da: Quenmarlo",
    L"Trascina l'applicazione sulla zona dalla quale vuoi ricavare le informazioni sul colore, centra "
    L"(utilizzando il mirino) la zona e l'applicazione ricaver\u00e0 in automatico il colore e lo convertir\u00e0 "
    L"nei valori utilizzati pi\u00f9 di frequente: Esadecimale (per applicazioni WEB), Numerico, RGB.",
    L"Chiudi",
    L"",
    L"Vista estesa...",
    L"Copia",
    L"Lente",
    L"Contrasto",
    L"Campione",
    L"1 pixel",
    L"Media 3 \u00d7 3",
    L"Media 5 \u00d7 5",
    L"Media 9 \u00d7 9",
    L"Colore pi\u00f9 frequente",
    L"Cronologia",
    L"Ancora nessun colore",
    L"Salva tavolozza\u2026",
    L"Cancella cronologia",
    L"Tavolozza GIMP (*.gpl)",
    L"Propriet\u00e0 personalizzate CSS (*.css)",
    L"Testo (*.txt)",
    L"Salva tavolozza",
    L"Impossibile salvare la tavolozza in questo file:",
};

// The accessibility texts, from 140 on.
inline constexpr int kFirstAccessTextId = 140;
using AccessTextTable = std::array<std::wstring_view, 10>;

inline constexpr AccessTextTable kAccessEnglish{
    L"en",
    L"copied %1",
    L"Red",
    L"Green",
    L"Blue",
    L"Move to the top right corner",
    L"Move to the bottom right corner",
    L"Move to the bottom left corner",
    L"Move to the top left corner",
    L"Gradient end colour",
};

inline constexpr AccessTextTable kAccessItalian{
    L"it",
    L"copiato %1",
    L"Rosso",
    L"Verde",
    L"Blu",
    L"Sposta nell'angolo in alto a destra",
    L"Sposta nell'angolo in basso a destra",
    L"Sposta nell'angolo in basso a sinistra",
    L"Sposta nell'angolo in alto a sinistra",
    L"Colore finale della sfumatura",
};

inline std::wstring_view AccessText(const std::string& language, int id)
{
    return (language == "it" ? kAccessItalian : kAccessEnglish).at(static_cast<std::size_t>(id - kFirstAccessTextId));
}

inline std::wstring_view Text(const TextTable& table, int id)
{
    return table.at(static_cast<std::size_t>(id - kFirstTextId));
}

// "en", "it", or "" when the run names no language (a test then fails on it).
inline std::string ExpectedLanguage()
{
    const char* language = std::getenv("TAVOLISK_EXPECT_LANGUAGE");
    const std::string code = language ? language : "";
    return code == "en" || code == "it" ? code : "";
}

inline constexpr const char* kNoExpectedLanguage = "TAVOLISK_EXPECT_LANGUAGE must be \"it\" or \"en\"";

inline const TextTable& Texts(const std::string& language) { return language == "it" ? kItalian : kEnglish; }

// With no language named, a text no window shows, so the comparison fails.
inline std::wstring ExpectedText(int id)
{
    const std::string language = ExpectedLanguage();
    if (language.empty())
        return L"(the run names no expected language)";
    return std::wstring(Text(Texts(language), id));
}

// The design's items keep their places; Copy, Zoom, Sample and History form
// a group of their own before Exit.
inline std::vector<std::wstring> ExpectedMenuCaptions()
{
    return {ExpectedText(IDS_LOCK),          L"-", ExpectedText(IDS_HELP), ExpectedText(IDS_ABOUT), L"-",
            ExpectedText(IDS_ADVANCED_VIEW), ExpectedText(IDS_MOVE_TRANSPARENT), L"-", ExpectedText(IDS_COPY),
            ExpectedText(IDS_ZOOM),          ExpectedText(IDS_SAMPLE), ExpectedText(IDS_HISTORY), L"-",
            ExpectedText(IDS_EXIT)};
}

} // namespace tktest
