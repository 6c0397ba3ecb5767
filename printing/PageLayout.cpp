#include "printing/PageLayout.h"

#include <algorithm>

namespace printing {

Grid gridFor(int perPage)
{
    return perPage == 12 ? Grid{3, 4} : Grid{2, 3};
}

QRectF slotRect(int slot, int perPage, const QRectF& area)
{
    const Grid grid = gridFor(perPage);
    const double width = area.width() / grid.columns;
    const double height = area.height() / grid.rows;
    return QRectF(area.left() + (slot % grid.columns) * width, area.top() + (slot / grid.columns) * height, width,
                  height);
}

QList<PlacedCard> placeCards(int cards, Rows rows, int perPage)
{
    const int faces = rows == Rows::Both ? 2 : 1;
    QList<PlacedCard> placed;
    for (int i = 0; i < cards * faces; ++i) {
        const int card = i / faces;
        const bool lower = rows == Rows::Lower || (rows == Rows::Both && i % 2 == 1);
        placed.append({card, lower, i / perPage, i % perPage});
    }
    return placed;
}

CardParts partsOf(const QRectF& slot, bool words)
{
    // A margin inside the cut lines, so that a cut a little off the line takes nothing away.
    const double margin = std::min(slot.width(), slot.height()) * 0.06;
    const QRectF inner = slot.adjusted(margin, margin, -margin, -margin);
    if (!words)
        return {inner, QRectF()};
    const double band = inner.height() * 0.24;
    return {QRectF(inner.topLeft(), QSizeF(inner.width(), inner.height() - band)),
            QRectF(inner.left(), inner.bottom() - band, inner.width(), band)};
}

} // namespace printing
