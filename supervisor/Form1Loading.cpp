// Loading the stored card set into the window.

#include "supervisor/Form1.h"

#include "settings/FileError.h"
#include "settings/ValueReader.h"

#include <limits>

namespace supervisor {

namespace {

// The option of a "Typ av kort" group that a stored code chooses: 1 "Text", 0 "Bild",
// any other code "Text + Bild".
int typeOption(qint16 code)
{
    return code == 1 ? 0 : code == 0 ? 1 : 2;
}

} // namespace

void Form1::hämta(const QString& filnamn)
{
    for (int k = 0; k <= 3; ++k)
        antal_rader(k) = 0;

    settings::ValueReader fil(filnamn);

    antal = fil.readNumber();
    antal_val = antal == 3 ? 0 : antal == 5 ? 1 : 2;
    // The last card index must be a 16-bit integer too.
    if (antal == std::numeric_limits<qint16>::min())
        throw settings::fileError(fil.path(), fil.line(),
                              QStringLiteral("antalet kort är %1, och så många kort kan inte läsas").arg(antal));
    const qint16 sista = runtime::int16(antal - 1);

    SSOption1(typeOption(fil.readNumber()))->setValue(true);
    SSOption1(3 + typeOption(fil.readNumber()))->setValue(true);

    // A card record holds the upper picture, the lower picture, the upper text and the
    // lower text, in that order.
    const int lists[] = {0, 2, 1, 3};
    for (qint16 i = 0; i <= sista; ++i) {
        for (int k : lists) {
            const QString s = fil.readText();
            if (s.isEmpty())
                continue;
            // Every text stays on its own card's row. A file that leaves a list's earlier
            // row empty gets empty rows in between, and the counter then stands one past
            // the filled row, so that a later chosen entry never replaces a loaded one.
            while (List1(k)->ListCount() < i)
                List1(k)->setRow(List1(k)->ListCount(), QString());
            List1(k)->setRow(i, s);
            antal_rader(k) = runtime::int16(i + 1);
        }
    }
}

} // namespace supervisor
