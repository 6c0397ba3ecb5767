#include "bench/PlainStartup.h"

#include "forms/Twips.h"
#include "settings/CardFile.h"
#include "settings/ValueReader.h"

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
    settings::ValueReader reader(settings::kFileName);
    const int count = reader.readNumber();
    reader.readNumber();
    reader.readNumber();
    for (int i = 0; i < count; ++i) {
        const QString upper = reader.readText();
        const QString lower = reader.readText();
        reader.readText();
        reader.readText();
        if (!upper.isEmpty())
            card(window, upper, i, count, true);
        if (!lower.isEmpty())
            card(window, lower, i, count, false);
    }
    return window;
}

} // namespace bench
