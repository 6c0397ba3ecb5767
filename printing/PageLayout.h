#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace printing {

// Which of a set's cards go on paper: those of the upper row, of the lower row, or both, a
// card beside its partner so that the pairs can be cut out and matched at the table.
enum class Rows { Upper, Lower, Both };

// The teacher's choices for a printout, and what a printout is made with unless chosen.
struct PrintChoices {
    Rows rows = Rows::Both;
    int perPage = 6;  // 6 (2 × 3, large) or 12 (3 × 4)
    bool words = true;
    bool cutLines = true;

    bool operator==(const PrintChoices&) const = default;
};

// The cards of a page stand in a grid that fills the page's printable area.
struct Grid {
    int columns;
    int rows;
};
Grid gridFor(int perPage);

// Where the card in `slot` (from 0, row by row) lies within the printable area.
QRectF slotRect(int slot, int perPage, const QRectF& area);

// A card as it goes on paper: the set's card (from 0), which row's face it shows, and its place.
struct PlacedCard {
    int card = 0;
    bool lower = false;
    int page = 0;
    int slot = 0;

    bool operator==(const PlacedCard&) const = default;
};
QList<PlacedCard> placeCards(int cards, Rows rows, int perPage);

// A card's parts within its slot: the frame of its picture, and the band its word is written
// in (empty without words, when the picture takes the whole card).
struct CardParts {
    QRectF picture;
    QRectF word;
};
CardParts partsOf(const QRectF& slot, bool words);

} // namespace printing
