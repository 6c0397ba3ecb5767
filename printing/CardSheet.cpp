#include "printing/CardSheet.h"

#include "forms/Fonts.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"
#include "settings/CardFacts.h"
#include "settings/CardSetFile.h"
#include "work/SlowWork.h"

#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace printing {

namespace {

// The area the pages are painted in, in the device's pixels, from where a painter on it starts.
QRectF printableArea(const QPageLayout& page, int dpi)
{
    return QRectF(QPointF(0, 0), page.paintRectPixels(dpi).size());
}

int pagesOf(const QList<SheetCard>& cards)
{
    return cards.isEmpty() ? 0 : cards.last().place.page + 1;
}

// A face whose picture is drawn; the others get an empty frame and their word, whatever the choice.
bool drawn(const SheetCard& card)
{
    return !card.image.isNull();
}

double millimetres(double mm, double dpi)
{
    return mm * dpi / 25.4;
}

void paintCard(QPainter& painter, const QPaintDevice& device, const SheetCard& card, const QRectF& slot,
               const PrintChoices& choices)
{
    const double dpi = device.logicalDpiX();
    if (choices.cutLines) {
        painter.setPen(QPen(QColor(160, 160, 160), millimetres(0.2, dpi)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(slot);
    }
    const CardParts parts = partsOf(slot, choices.words || !drawn(card));
    if (drawn(card)) {
        // Letterboxed on the white of the paper: a photo keeps its proportions.
        const QSizeF size = QSizeF(card.image.size()).scaled(parts.picture.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(0, 0), size);
        target.moveCenter(parts.picture.center());
        painter.drawImage(target, card.image);
    } else {
        painter.setPen(QPen(QColor(90, 90, 90), millimetres(0.5, dpi)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(parts.picture);
    }
    if (parts.word.isEmpty() || card.word.trimmed().isEmpty())
        return;
    // The game's own lettering, as large as the band takes it.
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const QFont large = forms::arial(choices.perPage == 12 ? 26 : 36, true);
    painter.setFont(forms::fittedFont(large, card.word, parts.word.toRect(), flags, &device));
    painter.setPen(Qt::black);
    painter.drawText(parts.word, flags, card.word);
}

QString cannotSave(const QString& path, const QString& reason)
{
    return QStringLiteral("PDF-filen %1 kunde inte sparas (%2).").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

settings::CardSet readSetToPrint(const QString& folder)
{
    settings::CardSet set = settings::readCardSet(QDir(folder).filePath(settings::kFileName));
    if (set.cards.isEmpty())
        throw runtime::Error(QStringLiteral("Kortleken i mappen %1 har inga kort att skriva ut.")
                                 .arg(QDir::toNativeSeparators(folder)));
    return set;
}

QList<SheetCard> sheetCards(const QString& folder, const settings::CardSet& set, const PrintChoices& choices)
{
    QList<SheetCard> cards;
    const QDir dir(folder);
    for (const PlacedCard& place : placeCards(int(set.cards.size()), choices.rows, choices.perPage)) {
        const settings::Card& card = set.cards[place.card];
        SheetCard face;
        face.place = place;
        const QString text = place.lower ? card.lowerText : card.upperText;
        face.word = text.trimmed().isEmpty() ? settings::wordOf(card) : text;
        const QString picture = place.lower ? card.lowerPicture : card.upperPicture;
        if (!picture.isEmpty()) {
            face.picture = dir.filePath(picture);
            try {
                pictures::checkPicture(face.picture);
            } catch (const runtime::Error& e) {
                face.problem = e.message();
            }
        }
        cards.append(face);
    }
    return cards;
}

QString problemsText(const QList<SheetCard>& cards)
{
    QStringList lines;
    for (const SheetCard& card : cards) {
        if (!card.problem.isEmpty())
            lines << QStringLiteral("Kort %1, %2 raden: %3")
                         .arg(card.place.card + 1)
                         .arg(card.place.lower ? QStringLiteral("undre") : QStringLiteral("övre"), card.problem);
    }
    if (lines.isEmpty())
        return QString();
    return QStringLiteral("Dessa kort skrivs ut som en tom ram med sitt ord:\n") + lines.join(QLatin1Char('\n'));
}

bool decodeFor(QList<SheetCard>& cards, const QPageLayout& page, int dpi, const PrintChoices& choices,
               work::Progress& progress)
{
    const double scale = std::min(double(dpi), kMostDpi) / dpi;
    const QSizeF frame = partsOf(slotRect(0, choices.perPage, printableArea(page, dpi)), choices.words).picture.size() * scale;
    const int total = int(cards.size()) + pagesOf(cards);
    for (int i = 0; i < cards.size(); ++i) {
        if (progress.stopped())
            return false;
        progress.advance(i, total, QStringLiteral("Läser bild %1 av %2…").arg(i + 1).arg(cards.size()));
        SheetCard& card = cards[i];
        card.image = QImage();
        if (card.picture.isEmpty() || !card.problem.isEmpty())
            continue;
        try {
            // Never larger than the picture itself: the paper would gain nothing from it.
            const QSize upright = pictures::uprightSize(card.picture);
            QSize size = upright.scaled(frame.toSize(), Qt::KeepAspectRatio);
            if (size.width() > upright.width() || size.height() > upright.height())
                size = upright;
            card.image = pictures::decodePicture(card.picture, size.expandedTo(QSize(1, 1)));
        } catch (const runtime::Error& e) {
            card.problem = e.message();
        }
    }
    return true;
}

bool paintPages(QPainter& painter, QPagedPaintDevice& device, const QList<SheetCard>& cards,
                const PrintChoices& choices, work::Progress* progress)
{
    const QRectF area = printableArea(device.pageLayout(), device.logicalDpiX());
    const int pages = pagesOf(cards);
    for (int page = 0; page < pages; ++page) {
        if (progress) {
            if (progress->stopped())
                return false;
            progress->advance(int(cards.size()) + page, int(cards.size()) + pages,
                              QStringLiteral("Ritar sida %1 av %2…").arg(page + 1).arg(pages));
        }
        if (page > 0)
            device.newPage();
        for (const SheetCard& card : cards) {
            if (card.place.page == page)
                paintCard(painter, device, card, slotRect(card.place.slot, choices.perPage, area), choices);
        }
    }
    return true;
}

QPageLayout defaultPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

void writePdf(const QString& path, const QString& title, QList<SheetCard> cards, const PrintChoices& choices,
              const QPageLayout& page, work::Progress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw runtime::Error(cannotSave(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(int(kMostDpi));
        writer.setPageLayout(page);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Kortvy"));
        if (!decodeFor(cards, writer.pageLayout(), writer.resolution(), choices, progress))
            return;
        QPainter painter;
        if (!painter.begin(&writer))
            throw runtime::Error(cannotSave(path, file.errorString()));
        if (!paintPages(painter, writer, cards, choices, &progress))
            return;
        painter.end();
    }
    if (progress.stopped())
        return;
    if (!file.commit())
        throw runtime::Error(cannotSave(path, file.errorString()));
}

void writeSetPdf(const QString& folder, const QString& path)
{
    const settings::CardSet set = readSetToPrint(folder);
    struct Unstoppable : work::Progress {
        bool stopped() const override { return false; }
        void advance(int, int, const QString&) override {}
    } progress;
    const PrintChoices choices;
    writePdf(path, QFileInfo(folder).fileName(), sheetCards(folder, set, choices), choices, defaultPage(), progress);
}

} // namespace printing
