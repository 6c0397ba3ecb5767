#include "game/StopSign.h"

#include <QPainter>
#include <QPolygon>
#include <array>

namespace game {

namespace {

constexpr int kWidth = 31;
constexpr int kHeight = 30;

// Capitals three pixels wide and seven high, '#' marking a lit pixel.
using Glyph = std::array<const char*, 7>;
constexpr Glyph kS = {"###", "#..", "#..", "###", "..#", "..#", "###"};
constexpr Glyph kT = {"###", ".#.", ".#.", ".#.", ".#.", ".#.", ".#."};
constexpr Glyph kO = {"###", "#.#", "#.#", "#.#", "#.#", "#.#", "###"};
constexpr Glyph kP = {"###", "#.#", "#.#", "###", "#..", "#..", "#.."};

// The sixteen colours of the standard palette.
QList<QRgb> standardColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

} // namespace

QImage stopSign()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(QColor(255, 0, 0));
    // Corners cut off at 45 degrees, nine pixels along each edge.
    const int r = kWidth - 1;
    const int b = kHeight - 1;
    const int c = 9;
    p.drawPolygon(QPolygon({QPoint(c, 0), QPoint(r - c, 0), QPoint(r, c), QPoint(r, b - c),
                            QPoint(r - c, b), QPoint(c, b), QPoint(0, b - c), QPoint(0, c)}));

    const std::array<const Glyph*, 4> word = {&kS, &kT, &kO, &kP};
    const int wordWidth = int(word.size()) * 4 - 1;
    const int x0 = (kWidth - wordWidth) / 2;
    const int y0 = (kHeight - 7) / 2;
    for (std::size_t n = 0; n < word.size(); ++n) {
        const Glyph& glyph = *word[n];
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 3; ++x) {
                if (glyph[std::size_t(y)][x] == '#')
                    p.fillRect(x0 + int(n) * 4 + x, y0 + y, 1, 1, Qt::white);
            }
        }
    }
    p.end();

    return image.convertToFormat(QImage::Format_Indexed8, standardColours(), Qt::ThresholdDither);
}

} // namespace game
