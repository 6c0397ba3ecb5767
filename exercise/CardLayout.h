#pragma once

#include "runtime/TwipsRect.h"
#include "settings/CardFacts.h"
#include "settings/CardSet.h"

#include <QSize>
#include <QString>

#include <QtGlobal>

namespace exercise {

// Each row has ten card slots, designed as two lines of five for ten cards. Upper slot k
// shows upper card k; lower slot k shows whichever lower card the shuffle put there.
constexpr int kSlots = settings::kMostCards;

// The game window's inside, in twips: 642 × 459 pixels at scale 1.
constexpr int kWindowWidth = 9630;
constexpr int kWindowHeight = 6885;
// The same in pixels at scale 1, without the window manager's frame.
QSize windowSize();

// The scale, in steps of 0.25 and never below 1, at which the game window with its frame
// fits an available area of the screen with a small margin to spare: the game fills the
// screen it starts on. The frame is drawn by the window manager and does not grow with the
// scale.
double scaleFor(QSize available, QSize window = windowSize());

// The scale as QT_SCALE_FACTOR expects it: "2", "1.25".
QString scaleText(double scale);

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
