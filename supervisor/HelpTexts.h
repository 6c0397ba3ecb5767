#pragma once

#include <QString>

namespace supervisor {

// The three texts of the help page "Hjälp", word-wrapped in their labels. Their
// spelling and blanks are the help page's own and stay exactly as they are.
inline const QString kHelpText1 = QStringLiteral(
    "Först väljer du hur många kort du vill ha. 3, 5 eller 10 kort. Denna inställning gäller för "
    "både övre och undre skärmdel.");
inline const QString kHelpText2 = QStringLiteral(
    "På fliken \"Övre skärmdel\" väljer du vikla bilder du vill ha. Klicka på bildnamnen i listan till "
    "vänster för att se bilden. Dubbelklicka för att välja bilden. Välj sedan vilka ord du vill ha "
    "till respektive bild. Sedan väljer du om texten, billden eller båda ska synas på den övre delen.");
inline const QString kHelpText3 = QStringLiteral(
    "På fliken \"Undre skärm- del\" väljer du bilder och text på samma sätt som till den övre "
    "skärmdelen. Om du vill ha exakt samma texter och bilder som i den övre delen finns det två "
    "knappar för att kopiera text och bild. Det är viktigt att texter och bilder som hör ihop har "
    "samma nummer.    Sluta och spara dina inställningar genom att klicka på knappen spara.  Om du "
    "klickar på avbryt gäller de gamla inställningarna fortfarande.");

} // namespace supervisor
