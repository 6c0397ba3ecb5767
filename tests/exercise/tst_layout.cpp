// Where the cards stand for each count and row display, and where the frame stands: the
// tables of the layout, written out independently of the code that makes them.

#include "exercise/CardLayout.h"

#include <QtTest>

using exercise::Row;
using runtime::TwipsRect;
using settings::RowDisplay;

Q_DECLARE_METATYPE(settings::RowDisplay)

namespace {

QString shown(const TwipsRect& r)
{
    return QStringLiteral("%1, %2, %3 × %4").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}

// The places of a count before the rows' displays: picture and text of each slot, per row.
void expectedPlaces(int count, Row row, int k, TwipsRect& picture, TwipsRect& text)
{
    const float c = float(k % 5);
    const bool second = k >= 5;
    const bool upper = row == Row::Upper;
    picture = {360 + 1680 * c, second ? (upper ? 1920.0f : 1800.0f) : 240.0f, 1335, 1335};
    text = {480 + 1680 * c, second ? (upper ? 3120.0f : 3000.0f) : 1440.0f, 1095, 255};
    if (count == 5 && k < 5) {
        picture.top = 1040;
        text.top = 2240;
    }
    if (count == 3 && k < 3) {
        picture = {480 + 2730.0f * k, 440, 2250, 2250};
        text = {1040 + 2730.0f * k, 2540, 1095, 255};
    }
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    // Every slot of both rows for each count and display: a row of texts alone gives each
    // text its card's square in a plain font, a row of pictures alone hides the texts, and
    // the slots beyond the count are hidden where they were designed.
    void slotsOfEachCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<RowDisplay>("display");
        for (int count : {10, 5, 3, 4, 1}) {
            for (RowDisplay display : {RowDisplay::Both, RowDisplay::Texts, RowDisplay::Pictures})
                QTest::addRow("%d cards, display %d", count, int(display)) << count << display;
        }
    }
    void slotsOfEachCount()
    {
        QFETCH(int, count);
        QFETCH(RowDisplay, display);
        for (Row row : {Row::Upper, Row::Lower}) {
            for (int k = 0; k < exercise::kSlots; ++k) {
                TwipsRect picture, text;
                expectedPlaces(count, row, k, picture, text);
                const bool inUse = k < count;
                const exercise::SlotLook look = exercise::slotLook(qint16(count), row, k, display);
                const QString where = QStringLiteral("row %1 slot %2").arg(int(row)).arg(k);
                QCOMPARE(where + shown(look.picture), where + shown(picture));
                QCOMPARE(look.showsPicture, inUse && display != RowDisplay::Texts);
                QCOMPARE(look.showsText, inUse && display != RowDisplay::Pictures);
                const bool textsAlone = inUse && display == RowDisplay::Texts;
                QCOMPARE(where + shown(look.text), where + shown(textsAlone ? picture : text));
                QCOMPARE(look.plainTextPoints, textsAlone ? (count == 3 ? 20 : 16) : 0);
            }
        }
    }

    // The frame stands on the marked card's square, 10 twips to the right, also on the
    // second line of ten cards.
    void frameStandsBesideTheMarkedCard()
    {
        QCOMPARE(shown(exercise::framePlace(10, 0)), QStringLiteral("370, 240, 1335 × 1335"));
        QCOMPARE(shown(exercise::framePlace(10, 5)), QStringLiteral("370, 1920, 1335 × 1335"));
        QCOMPARE(shown(exercise::framePlace(10, 9)), QStringLiteral("7090, 1920, 1335 × 1335"));
        QCOMPARE(shown(exercise::framePlace(5, 1)), QStringLiteral("2050, 1040, 1335 × 1335"));
        QCOMPARE(shown(exercise::framePlace(3, 1)), QStringLiteral("3220, 440, 2250 × 2250"));
        QCOMPARE(shown(exercise::framePlace(4, 0)), QStringLiteral("370, 240, 1335 × 1335"));
    }

    void theGameFillsTheScreen_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<double>("scale");
        QTest::newRow("full HD under a panel") << QSize(1920, 1040) << 2.0;
        QTest::newRow("laptop") << QSize(1366, 728) << 1.25;
        QTest::newRow("4K") << QSize(3840, 2100) << 4.25;
        QTest::newRow("width decides") << QSize(1000, 2000) << 1.25;
        QTest::newRow("just room for 1.5") << QSize(963 + 48, 689 + 72) << 1.5;
        QTest::newRow("one pixel short of 1.5") << QSize(963 + 48, 689 + 71) << 1.25;
        QTest::newRow("800 x 600") << QSize(800, 600) << 1.0;
        QTest::newRow("tiny screen") << QSize(320, 240) << 1.0;
    }
    void theGameFillsTheScreen()
    {
        QFETCH(QSize, available);
        QFETCH(double, scale);
        QCOMPARE(exercise::scaleFor(available), scale);
        QCOMPARE(exercise::scaleText(1.25), QStringLiteral("1.25"));
    }
};

QTEST_GUILESS_MAIN(LayoutTest)
#include "tst_layout.moc"
