#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;
class QRect;

namespace forms {

// The free font families that stand in for the design fonts.
QString arialFamily();        // Liberation Sans
QString msSansSerifFamily();  // DejaVu Sans

QFont arial(double points, bool bold);
QFont msSansSerif(double points, bool bold);

// The font at its own size when `text` fits `box` with the given alignment flags
// (word wrap included), else the largest smaller size, in half points, that fits. The box is
// measured in the pixels of `device`, or of the screen when none is given.
QFont fittedFont(const QFont& font, const QString& text, const QRect& box, int flags,
                 const QPaintDevice* device = nullptr);

} // namespace forms
