#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace settings {

// The file the two programs meet in, always opened by this bare name in the current folder.
inline const QString kFileName = QStringLiteral("kortvy.ini");

// What a row of cards shows. The file stores it as a number; any other stored number is
// taken as Both.
enum class RowDisplay : qint16 { Pictures = 0, Texts = 1, Both = 2 };

// One card of the set: what its upper card and its partner in the lower row show. An empty
// name or text means the card has none of that kind. Pictures are bare file names in the
// card set's folder.
struct Card {
    QString upperPicture;
    QString lowerPicture;
    QString upperText;
    QString lowerText;

    bool operator==(const Card&) const = default;
};

// A card set as kortvy.ini holds it: the count, what each row shows, and the cards in order.
// A count of 0 or less has no cards.
struct CardSet {
    qint16 count = 0;
    RowDisplay upperDisplay = RowDisplay::Both;
    RowDisplay lowerDisplay = RowDisplay::Both;
    QList<Card> cards;

    bool operator==(const CardSet&) const = default;
};

} // namespace settings
