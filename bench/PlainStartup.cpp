#include "bench/PlainStartup.h"

#include "forms/Twips.h"
#include "settings/CardSetFile.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace bench {

namespace {

QLabel* card(QWidget* parent, const QString& file, int slot, int count, bool upper)
{
    auto* label = new QLabel(parent);
    label->setScaledContents(true);
    label->setPixmap(QPixmap::fromImage(QImage(file)));
    const float size = count == 3 ? 2250 : 1335;
    const float left = count == 3 ? 480 + 2730 * slot : 360 + 1680 * (slot % 5);
    const float top = (upper ? 240 : 3730) + (slot >= 5 ? 1680 : 0);
    label->setGeometry(forms::toPixels(left), forms::toPixels(top), forms::toPixels(size), forms::toPixels(size));
    return label;
}

} // namespace

QWidget* plainStartup()
{
    auto* window = new QWidget;
    window->resize(forms::toPixels(9630), forms::toPixels(6885));
    const settings::CardSet set = settings::readCardSet(settings::kFileName);
    for (int i = 0; i < set.cards.size(); ++i) {
        if (!set.cards[i].upperPicture.isEmpty())
            card(window, set.cards[i].upperPicture, i, set.count, true);
        if (!set.cards[i].lowerPicture.isEmpty())
            card(window, set.cards[i].lowerPicture, i, set.count, false);
    }
    return window;
}

} // namespace bench
