// The string table as the user must see it, written with \u escapes so the
// accented letters do not depend on how this file or the resource script is
// read: a mis-decoded script cannot match them by accident.
#pragma once

#include <array>
#include <string_view>

namespace expected {

inline constexpr int kFirstId = 101;

inline constexpr std::array<std::wstring_view, 11> kEnglish{
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
};

inline constexpr std::array<std::wstring_view, 11> kItalian{
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
};

inline std::wstring_view Text(const std::array<std::wstring_view, 11>& table, int id)
{
    return table.at(static_cast<std::size_t>(id - kFirstId));
}

} // namespace expected
