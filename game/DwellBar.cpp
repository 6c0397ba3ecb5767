#include "game/DwellBar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace game {

const QColor DwellBar::kFill(0, 150, 60);
const QColor DwellBar::kTrack(210, 210, 210);

DwellBar::DwellBar(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DwellBar::showOn(const QRect& card, double done)
{
    // Inside the card's border, a tenth of the card high: thick enough to be seen from a
    // learner's distance, and far from the word.
    const int inset = 3;
    const QRect place(card.left() + inset, card.top() + inset, card.width() - 2 * inset, std::max(8, card.height() / 10));
    setGeometry(place);
    m_done = done;
    update();
    show();
}

void DwellBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    p.fillRect(rect(), Qt::black);
    p.fillRect(inside, kTrack);
    const int filled = int(std::lround(inside.width() * std::clamp(m_done, 0.0, 1.0)));
    p.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), kFill);
}

} // namespace game
