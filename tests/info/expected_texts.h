// The texts a user must see in each language, written out independently of
// the program's string table so that a wrong table or a wrong language fails.
#pragma once

#include "info/ui_driver.h"

#include <string>

namespace ui {

struct Texts {
    std::wstring help;        // 102
    std::wstring about;       // 103
    std::wstring visit;       // 106
    std::wstring author;      // 107
    std::wstring usage;       // 108
    std::wstring close;       // 109
    std::wstring notice;      // 110
};

inline const Texts& ExpectedTexts()
{
    static const Texts english{
        L"Help", L"About...", L"For more informations visit:", L"Created by: Quenmarlo",
        L"It drags the application on the zone from which you want to gain the information on the color, it "
        L"centers (using the view-finder) the zone and the application will gain in automatic rifle the color and "
        L"it will convert it in the values uses you more than frequent: HEX (for applications WEB), Numerical, RGB.",
        L"Close", L""};
    static const Texts italian{
        L"Guida", L"Informazioni...", L"Per maggiori informazioni, visita il sito Web:", L"Creato da: Quenmarlo",
        L"Trascina l'applicazione sulla zona dalla quale vuoi ricavare le informazioni sul colore, centra "
        L"(utilizzando il mirino) la zona e l'applicazione ricaverà in automatico il colore e lo convertirà nei "
        L"valori utilizzati più di frequente: Esadecimale (per applicazioni WEB), Numerico, RGB.",
        L"Chiudi", L""};
    return ExpectedLanguage() == "it" ? italian : english;
}

} // namespace ui
