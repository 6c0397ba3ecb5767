#pragma once

#include "runtime/TwipsRect.h"
#include "settings/CardFacts.h"
#include "settings/CardSet.h"

#include <QSize>

#include <QtGlobal>

namespace exercise {

// Each row has ten card slots, designed as two lines of five for ten cards. Upper slot k
// shows upper card k; lower slot k shows whichever lower card the shuffle put there.
constexpr int kSlots = settings::kMostCards;

// The game window's inside, in twips: 642 × 459 pixels at scale 1.
constexpr int kWindowWidth = 9630;
constexpr int kWindowHeight = 6885;
// The same in pixels at scale 1, as the window is made and as the launcher scales it.
QSize windowSize();

enum class Row { Upper, Lower };

// How one slot of a row looks for a count of cards, in twips inside its row's area.
struct SlotLook {
    // The picture's square. A picture keeps it when hidden: the frame is measured from it.
    runtime::TwipsRect picture;
    // The text panel: across the picture's lower edge, or on the picture's whole square when
    // the row shows texts alone.
    runtime::TwipsRect text;
    bool showsPicture = false;
    bool showsText = false;
    // In a row of texts alone the words stand in a plain font of this many points; 0 keeps
    // the text panels' own font.
    int plainTextPoints = 0;
};

// Slots from the count up are hidden and keep their design places. Ten cards, and any count
// but 3 and 5, stand at the design places; five stand in one line, 800 twips lower; three
// are bigger and spread over the width.
SlotLook slotLook(qint16 count, Row row, int slot, settings::RowDisplay display);

// Where the frame stands over upper card `card`: on the card's square, 10 twips to the right.
runtime::TwipsRect framePlace(qint16 count, int card);

} // namespace exercise
