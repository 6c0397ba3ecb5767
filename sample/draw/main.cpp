// Draws the five pictures of the first card set and writes its kortvy.ini beside them.

#include "runtime/Error.h"
#include "settings/CardSetFile.h"
#include "tools/GifWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

constexpr int kSide = 400;

void drawSun(QPainter& p)
{
    p.fillRect(0, 0, kSide, kSide, QColor(140, 205, 250));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 160, 0));
    const QPointF centre(200, 200);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const double side = M_PI / 20;
        QPolygonF ray;
        ray << centre + QPointF(std::cos(a - side), std::sin(a - side)) * 100
            << centre + QPointF(std::cos(a), std::sin(a)) * 185
            << centre + QPointF(std::cos(a + side), std::sin(a + side)) * 100;
        p.drawPolygon(ray);
    }
    p.setBrush(QColor(255, 220, 0));
    p.drawEllipse(centre, 110, 110);
    p.setBrush(QColor(90, 60, 0));
    p.drawEllipse(QPointF(165, 180), 12, 12);
    p.drawEllipse(QPointF(235, 180), 12, 12);
    p.setPen(QPen(QColor(90, 60, 0), 10, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(145, 160, 110, 90), 200 * 16, 140 * 16);
}

void drawApple(QPainter& p)
{
    p.fillRect(0, 0, kSide, kSide, QColor(255, 250, 235));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 75, 30));
    p.drawRoundedRect(QRectF(192, 60, 16, 80), 6, 6);
    p.setBrush(QColor(60, 170, 60));
    p.save();
    p.translate(250, 95);
    p.rotate(-25);
    p.drawEllipse(QPointF(0, 0), 50, 22);
    p.restore();

    QPainterPath apple;
    apple.moveTo(200, 135);
    apple.cubicTo(260, 95, 345, 120, 340, 215);
    apple.cubicTo(335, 300, 270, 355, 230, 345);
    apple.cubicTo(215, 340, 185, 340, 170, 345);
    apple.cubicTo(130, 355, 65, 300, 60, 215);
    apple.cubicTo(55, 120, 140, 95, 200, 135);
    p.setBrush(QColor(215, 25, 30));
    p.drawPath(apple);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QPointF(125, 200), 18, 40);
}

void drawBoat(QPainter& p)
{
    p.fillRect(0, 0, kSide, 280, QColor(175, 225, 255));
    p.fillRect(0, 280, kSide, 120, QColor(20, 90, 170));
    p.setPen(Qt::NoPen);

    p.setBrush(QColor(110, 70, 35));
    p.drawRect(QRectF(195, 50, 10, 230));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(210, 60), QPointF(210, 245), QPointF(330, 245)}));
    p.drawPolygon(QPolygonF({QPointF(190, 90), QPointF(190, 245), QPointF(95, 245)}));
    p.setBrush(QColor(230, 30, 30));
    p.drawPolygon(QPolygonF({QPointF(205, 30), QPointF(205, 55), QPointF(240, 42)}));

    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(60, 260), QPointF(340, 260), QPointF(300, 320), QPointF(100, 320)}));

    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int x = 10; x < kSide; x += 80) {
        p.drawArc(QRectF(x, 340, 40, 20), 0, 180 * 16);
        p.drawArc(QRectF(x + 40, 370, 40, 20), 0, 180 * 16);
    }
}

void drawFish(QPainter& p)
{
    p.fillRect(0, 0, kSide, kSide, QColor(120, 215, 215));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 130, 20));
    p.drawPolygon(QPolygonF({QPointF(270, 200), QPointF(370, 120), QPointF(370, 280)}));
    p.drawPolygon(QPolygonF({QPointF(150, 130), QPointF(220, 90), QPointF(240, 140)}));
    p.setBrush(QColor(255, 165, 40));
    p.drawEllipse(QPointF(180, 200), 140, 85);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(105, 180), 22, 22);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(100, 180), 11, 11);
    p.setPen(QPen(QColor(200, 80, 0), 6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(170, 150, 60, 100), -60 * 16, 120 * 16);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(50, 100), 14, 14);
    p.drawEllipse(QPointF(70, 55), 9, 9);
    p.drawEllipse(QPointF(45, 20), 6, 6);
}

void drawEye(QPainter& p)
{
    p.fillRect(0, 0, kSide, kSide, QColor(250, 225, 200));
    QPainterPath almond;
    almond.moveTo(40, 220);
    almond.quadTo(200, 60, 360, 220);
    almond.quadTo(200, 380, 40, 220);
    p.setPen(QPen(QColor(60, 40, 30), 8));
    p.setBrush(Qt::white);
    p.drawPath(almond);

    p.save();
    p.setClipPath(almond);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 130, 70));
    p.drawEllipse(QPointF(200, 220), 78, 78);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(200, 220), 34, 34);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(180, 198), 12, 12);
    p.restore();

    p.setPen(QPen(QColor(60, 40, 30), 7, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i) {
        const double t = 0.2 + i * 0.1;
        const double x = (1 - t) * (1 - t) * 40 + 2 * (1 - t) * t * 200 + t * t * 360;
        const double y = (1 - t) * (1 - t) * 220 + 2 * (1 - t) * t * 60 + t * t * 220;
        p.drawLine(QPointF(x, y), QPointF(x + (x - 200) * 0.15, y - 35));
    }
    p.setPen(QPen(QColor(90, 55, 30), 16, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(60, 40, 280, 120), 30 * 16, 120 * 16);
}

struct Card {
    QString word;
    QString file;
    std::function<void(QPainter&)> draw;
};

bool writePicture(const Card& card, const QDir& folder)
{
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    const bool gif = card.file.endsWith(QLatin1String(".gif"));
    {
        QPainter painter(&image);
        // A GIF keeps at most 256 colours: without smoothed edges the drawing stays exact.
        painter.setRenderHint(QPainter::Antialiasing, !gif);
        card.draw(painter);
    }
    const QString path = folder.filePath(card.file);
    return gif ? writeGif(image, path) : image.save(path, nullptr, 90);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "Användning: draw_sample MAPP\n";
        return 2;
    }
    const QDir folder(args[1]);
    if (!QDir().mkpath(folder.absolutePath())) {
        err << "Mappen " << folder.absolutePath() << " kan inte skapas.\n";
        return 1;
    }

    const QList<Card> cards = {
        {QStringLiteral("sol"), QStringLiteral("sol.gif"), drawSun},
        {QStringLiteral("äpple"), QStringLiteral("äpple.jpg"), drawApple},
        {QStringLiteral("båt"), QStringLiteral("båt.bmp"), drawBoat},
        {QStringLiteral("fisk"), QStringLiteral("fisk.gif"), drawFish},
        {QStringLiteral("öga"), QStringLiteral("öga.jpg"), drawEye},
    };
    for (const Card& card : cards) {
        if (!writePicture(card, folder)) {
            err << "Bilden " << folder.filePath(card.file) << " kan inte sparas.\n";
            return 1;
        }
    }

    try {
        settings::CardSet set{qint16(cards.size()), settings::RowDisplay::Pictures, settings::RowDisplay::Texts, {}};
        for (const Card& card : cards)
            set.cards << settings::Card{card.file, card.file, card.word, card.word};
        settings::writeCardSet(folder.filePath(settings::kFileName), set);
    } catch (const runtime::Error& error) {
        err << error.message() << '\n';
        return 1;
    }
    return 0;
}
