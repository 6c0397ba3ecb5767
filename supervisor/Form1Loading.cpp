// Loading the stored card set into the window.

#include "supervisor/Form1.h"

#include "settings/CardSetFile.h"
#include "settings/FileError.h"

#include <limits>

namespace supervisor {

namespace {

// The option of a "Typ av kort" group that a row's display chooses: "Text", "Bild" or
// "Text + Bild".
int typeOption(settings::RowDisplay display)
{
    return display == settings::RowDisplay::Texts ? 0 : display == settings::RowDisplay::Pictures ? 1 : 2;
}

} // namespace

void Form1::hämta(const QString& filnamn)
{
    for (int k = 0; k <= 3; ++k)
        antal_rader(k) = 0;

    settings::ReadRules rules;
    // The last card index must be a 16-bit integer too.
    rules.checkCount = [](qint16 count, const QString& file, int line) {
        if (count == std::numeric_limits<qint16>::min())
            throw settings::fileError(file, line,
                                      QStringLiteral("antalet kort är %1, och så många kort kan inte läsas").arg(count));
    };
    const settings::CardSet set = settings::readCardSet(filnamn, rules);
    antal = set.count;
    antal_val = antal == 3 ? 0 : antal == 5 ? 1 : 2;
    SSOption1(typeOption(set.upperDisplay))->setValue(true);
    SSOption1(3 + typeOption(set.lowerDisplay))->setValue(true);

    for (int i = 0; i < set.cards.size(); ++i) {
        const settings::Card& card = set.cards[i];
        const struct {
            int list;
            const QString& s;
        } entries[] = {{0, card.upperPicture}, {2, card.lowerPicture}, {1, card.upperText}, {3, card.lowerText}};
        for (const auto& entry : entries) {
            if (entry.s.isEmpty())
                continue;
            // Every text stays on its own card's row. A file that leaves a list's earlier
            // row empty gets empty rows in between, and the counter then stands one past
            // the filled row, so that a later chosen entry never replaces a loaded one.
            while (List1(entry.list)->ListCount() < i)
                List1(entry.list)->setRow(List1(entry.list)->ListCount(), QString());
            List1(entry.list)->setRow(i, entry.s);
            antal_rader(entry.list) = runtime::int16(i + 1);
        }
    }
}

} // namespace supervisor
