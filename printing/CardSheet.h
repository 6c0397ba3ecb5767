#pragma once

#include "printing/PageLayout.h"
#include "settings/CardSet.h"

#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace work {
class Progress;
} // namespace work

namespace printing {

// Pictures go on paper at the printer's own resolution, but never finer than this: finer
// than a printer prints, they would only make the file larger.
inline constexpr double kMostDpi = 300.0;

// One face of a card as it goes on paper.
struct SheetCard {
    PlacedCard place;
    QString word;
    QString picture;  // the picture file's path; empty for a face without one
    QString problem;  // why its picture cannot be drawn, in Swedish; empty when it can
    QImage image;     // decoded for the device it goes on; null until then, and for a face that cannot be drawn
};

// The card set in the folder, refused when it has no card to print. Throws runtime::Error.
settings::CardSet readSetToPrint(const QString& folder);

// The faces of the set's cards in the order they go on paper, each named picture checked.
QList<SheetCard> sheetCards(const QString& folder, const settings::CardSet& set, const PrintChoices& choices);

// What the teacher is told of the faces whose picture cannot be drawn; empty when there are none.
QString problemsText(const QList<SheetCard>& cards);

// Decodes each face's picture for pages of the layout at the device's resolution (dpi), up to
// kMostDpi, to fit its frame with its proportions kept. A picture that fails is left undrawn
// with its problem. Returns false when the work was stopped.
bool decodeFor(QList<SheetCard>& cards, const QPageLayout& page, int dpi, const PrintChoices& choices,
               work::Progress& progress);

// Paints the pages with a painter that is active on the device. Returns false when the work
// was stopped.
bool paintPages(QPainter& painter, QPagedPaintDevice& device, const QList<SheetCard>& cards,
                const PrintChoices& choices, work::Progress* progress = nullptr);

// The page an A4 PDF has unless a printer's page is chosen.
QPageLayout defaultPage();

// Writes the faces into a PDF with the page, decoding their pictures first; whole or not at
// all, and nothing when the work is stopped. Throws runtime::Error.
void writePdf(const QString& path, const QString& title, QList<SheetCard> cards, const PrintChoices& choices,
              const QPageLayout& page, work::Progress& progress);

// The card set in the folder as a PDF with the default choices, as from the command line.
// Throws runtime::Error.
void writeSetPdf(const QString& folder, const QString& path);

} // namespace printing
