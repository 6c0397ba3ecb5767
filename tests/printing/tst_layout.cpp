// Where the cards go on paper, and the choices a set was last printed with.

#include "printing/ChoicesFile.h"
#include "printing/PageLayout.h"
#include "settings/PlayOptions.h"
#include "tests/support/TestSupport.h"

#include <QTest>

using printing::Rows;

Q_DECLARE_METATYPE(printing::Rows)

namespace {

// The faces page by page, "0o" the upper face of card 0 and "0u" its lower, pages apart by "|".
QString pagesOf(const QList<printing::PlacedCard>& placed, int perPage)
{
    QStringList pages;
    for (int i = 0; i < placed.size(); ++i) {
        const printing::PlacedCard& p = placed[i];
        if (p.slot != i % perPage || p.page != i / perPage)
            return QStringLiteral("face %1 out of order").arg(i);
        if (p.slot == 0)
            pages << QString();
        pages.last() += QStringLiteral("%1%2 ").arg(p.card).arg(p.lower ? 'u' : 'o');
    }
    for (QString& page : pages)
        page = page.trimmed();
    return pages.join(QStringLiteral(" | "));
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void slotsFillThePageRowByRow()
    {
        const QRectF a4(10, 20, 600, 900);
        QCOMPARE(printing::slotRect(0, 6, a4), QRectF(10, 20, 300, 300));
        QCOMPARE(printing::slotRect(1, 6, a4), QRectF(310, 20, 300, 300));
        QCOMPARE(printing::slotRect(5, 6, a4), QRectF(310, 620, 300, 300));
        QCOMPARE(printing::slotRect(0, 12, a4), QRectF(10, 20, 200, 225));
        QCOMPARE(printing::slotRect(4, 12, a4), QRectF(210, 245, 200, 225));
        QCOMPARE(printing::slotRect(11, 12, a4), QRectF(410, 695, 200, 225));
        // The word's band lies under the picture, both inside the cut lines.
        const printing::CardParts parts = printing::partsOf(QRectF(0, 0, 300, 300), true);
        QVERIFY(QRectF(0, 0, 300, 300).contains(parts.picture.united(parts.word)));
        QVERIFY(parts.picture.bottom() <= parts.word.top() && !parts.picture.intersects(parts.word));
        QVERIFY(printing::partsOf(QRectF(0, 0, 300, 300), false).word.isEmpty());
    }

    void cardsLandOnTheirPages_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<int>("perPage");
        QTest::addColumn<QString>("pages");
        QTest::newRow("3 upper, 6") << 3 << Rows::Upper << 6 << "0o 1o 2o";
        QTest::newRow("3 lower, 12") << 3 << Rows::Lower << 12 << "0u 1u 2u";
        QTest::newRow("3 both, 6") << 3 << Rows::Both << 6 << "0o 0u 1o 1u 2o 2u";
        QTest::newRow("5 upper, 12") << 5 << Rows::Upper << 12 << "0o 1o 2o 3o 4o";
        QTest::newRow("5 lower, 6") << 5 << Rows::Lower << 6 << "0u 1u 2u 3u 4u";
        QTest::newRow("5 both, 6") << 5 << Rows::Both << 6 << "0o 0u 1o 1u 2o 2u | 3o 3u 4o 4u";
        QTest::newRow("5 both, 12") << 5 << Rows::Both << 12 << "0o 0u 1o 1u 2o 2u 3o 3u 4o 4u";
        QTest::newRow("10 upper, 6") << 10 << Rows::Upper << 6 << "0o 1o 2o 3o 4o 5o | 6o 7o 8o 9o";
        QTest::newRow("10 lower, 12") << 10 << Rows::Lower << 12 << "0u 1u 2u 3u 4u 5u 6u 7u 8u 9u";
        QTest::newRow("10 both, 6") << 10 << Rows::Both << 6
                                    << "0o 0u 1o 1u 2o 2u | 3o 3u 4o 4u 5o 5u | 6o 6u 7o 7u 8o 8u | 9o 9u";
        QTest::newRow("10 both, 12") << 10 << Rows::Both << 12
                                     << "0o 0u 1o 1u 2o 2u 3o 3u 4o 4u 5o 5u | 6o 6u 7o 7u 8o 8u 9o 9u";
    }
    void cardsLandOnTheirPages()
    {
        QFETCH(int, cards);
        QFETCH(Rows, rows);
        QFETCH(int, perPage);
        QFETCH(QString, pages);
        QCOMPARE(pagesOf(printing::placeCards(cards, rows, perPage), perPage), pages);
    }

    // The choices share the set's kortvy-val.ini with the way it is played: each keeps the
    // other's lines.
    void choicesAreKeptBesideThePlayOptions()
    {
        CardFolder folder;
        const QString path = folder.path() + QStringLiteral("/kortvy-val.ini");
        QCOMPARE(printing::readChoices(folder.path()), printing::PrintChoices());
        writeBytes(path, "; min egen rad\n[spel]\ntangentbord=nej\n");
        const printing::PrintChoices chosen{Rows::Lower, 12, false, false};
        printing::writeChoices(folder.path(), chosen);
        QCOMPARE(printing::readChoices(folder.path()), chosen);
        QCOMPARE(readBytes(path), QByteArray("; min egen rad\n[spel]\ntangentbord=nej\n[utskrift]\nrader=undre\n"
                                             "per-sida=12\nord=nej\nklipplinjer=nej\n"));
        settings::writePlayOptions(path, {});
        QCOMPARE(printing::readChoices(folder.path()), chosen);
        QVERIFY(settings::readPlayOptions(path).keyboard);
        // Written again, the section stays where it is and only once.
        printing::writeChoices(folder.path(), {Rows::Upper, 6, true, false});
        const QByteArray bytes = readBytes(path);
        QCOMPARE(bytes.count("[utskrift]"), 1);
        QVERIFY(bytes.startsWith("; min egen rad\n[spel]\ntangentbord=ja\n"));
        QCOMPARE(printing::readChoices(folder.path()), (printing::PrintChoices{Rows::Upper, 6, true, false}));
        // What is not among the choices is the default.
        writeBytes(path, "[utskrift]\nrader=alla\nper-sida=8\nord=kanske\n");
        QCOMPARE(printing::readChoices(folder.path()), printing::PrintChoices());
    }
};

QTEST_GUILESS_MAIN(LayoutTest)
#include "tst_layout.moc"
