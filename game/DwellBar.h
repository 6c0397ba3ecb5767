#pragma once

#include <QColor>
#include <QWidget>

namespace game {

// The progress of a rest on a lower card: a bar along the inside of the card's upper edge,
// filling from left to right until the card is chosen. The card's word stands at its lower
// edge, or in its middle where the row shows words alone, and stays clear. Green on grey with
// a black line round it, unlike the red frame and the blue mark, and seen on any picture. It
// takes no clicks.
class DwellBar : public QWidget {
public:
    static const QColor kFill;
    static const QColor kTrack;

    explicit DwellBar(QWidget* parent = nullptr);

    // Shows the bar on the card with `done` (0 to 1) of it filled.
    void showOn(const QRect& card, double done);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_done = 0;
};

} // namespace game
