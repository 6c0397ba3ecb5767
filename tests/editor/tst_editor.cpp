// The card set as the supervisor tool edits it, without a window: loading, the count, the
// pictures and texts of each row, copying, and what is saved.

#include "editor/CardSetEditor.h"
#include "runtime/Error.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

using editor::CardSetEditor;
using editor::CountChoice;
using editor::Kind;
using editor::List;
using editor::Row;
using settings::RowDisplay;

Q_DECLARE_METATYPE(settings::RowDisplay)
Q_DECLARE_METATYPE(editor::CountChoice)

namespace {

// A stored card set of `count` cards whose entries tell card and kind apart: "bo3" upper
// picture of card 3, "bu3" lower picture, "to3" upper text, "tu3" lower text; the kinds not
// named in `kinds` are empty.
settings::CardSet stored(int count, const QStringList& kinds = {"bo", "bu", "to", "tu"}, int cards = -1)
{
    settings::CardSet set{qint16(count), RowDisplay::Texts, RowDisplay::Pictures, {}};
    for (int i = 0; i < (cards < 0 ? qMax(0, count) : cards); ++i) {
        auto entry = [&](const char* kind) { return kinds.contains(QLatin1String(kind)) ? kind + QString::number(i) : QString(); };
        set.cards << settings::Card{entry("bo"), entry("bu"), entry("to"), entry("tu")};
    }
    return set;
}

QList<qint16> counters(const CardSetEditor& e)
{
    return {e.counter(List::UpperPictures), e.counter(List::UpperTexts), e.counter(List::LowerPictures),
            e.counter(List::LowerTexts)};
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT

private slots:
    // The stored count chooses 3, 5 or, for any other count, 10 cards; every card goes into
    // the lists, empty entries leave no row, and nothing is cut.
    void loading_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<CountChoice>("choice");
        QTest::newRow("3") << 3 << CountChoice::Three;
        QTest::newRow("5") << 5 << CountChoice::Five;
        QTest::newRow("4") << 4 << CountChoice::Ten;
        QTest::newRow("12") << 12 << CountChoice::Ten;
        QTest::newRow("0") << 0 << CountChoice::Ten;
    }
    void loading()
    {
        QFETCH(int, count);
        QFETCH(CountChoice, choice);
        CardSetEditor e;
        e.load(stored(count, {"bo", "bu", "to"}));
        QCOMPARE(e.countChoice(), choice);
        QCOMPARE(e.count(), editor::cardsFor(choice));
        QCOMPARE(e.rows(List::UpperPictures), numbered("bo", count));
        QCOMPARE(e.rows(List::LowerPictures), numbered("bu", count));
        QCOMPARE(e.rows(List::UpperTexts), numbered("to", count));
        QCOMPARE(e.rows(List::LowerTexts), QStringList());
        QCOMPARE(counters(e), QList<qint16>({qint16(count), qint16(count), qint16(count), 0}));
        QCOMPARE(e.display(Row::Upper), RowDisplay::Texts);
        QCOMPARE(e.display(Row::Lower), RowDisplay::Pictures);
    }

    // A file not written by the tool may leave a list's earlier entry empty: every entry
    // stays on its own card's row, and a later choice goes past it, never over it.
    void gapsKeepEveryEntryOnItsCard()
    {
        settings::CardSet set = stored(5, {}, 5);
        set.cards[1].upperPicture = QStringLiteral("b.gif");
        set.cards[2].upperText = QStringLiteral("t2");
        CardSetEditor e;
        e.load(set);
        QCOMPARE(e.rows(List::UpperPictures), QStringList({"", "b.gif"}));
        QCOMPARE(e.rows(List::UpperTexts), QStringList({"", "", "t2"}));
        QCOMPARE(counters(e), QList<qint16>({2, 3, 0, 0}));
        QVERIFY(e.choosePicture(Row::Upper, QStringLiteral("c.gif")));
        QVERIFY(e.addText(Row::Upper, QStringLiteral("t3")));
        QCOMPARE(e.rows(List::UpperPictures), QStringList({"", "b.gif", "c.gif"}));
        QCOMPARE(e.rows(List::UpperTexts), QStringList({"", "", "t2", "t3"}));
        // Copied to the lower row, the gap stays, and so does every copied entry.
        e.copyFromUpper(Kind::Pictures);
        QCOMPARE(e.rows(List::LowerPictures), QStringList({"", "b.gif", "c.gif", "", ""}));
        QCOMPARE(e.counter(List::LowerPictures), qint16(3));
        QVERIFY(e.choosePicture(Row::Lower, QStringLiteral("d.gif")));
        QCOMPARE(e.rows(List::LowerPictures), QStringList({"", "b.gif", "c.gif", "d.gif", ""}));
    }

    // A lower count cuts the counted rows beyond it in every list; rows behind the counted
    // ones move up and stay, and a list whose counted rows fit is left whole.
    void lowerCountCutsEveryList()
    {
        CardSetEditor e;
        e.load(stored(10, {"bo", "bu", "to", "tu"}, 7));
        e.chooseCount(CountChoice::Three);
        QCOMPARE(e.count(), qint16(3));
        for (List list : {List::UpperPictures, List::UpperTexts, List::LowerPictures, List::LowerTexts})
            QCOMPARE(e.rows(list).size(), 3);
        QCOMPARE(e.rows(List::LowerTexts), numbered("tu", 3));
        QCOMPARE(counters(e), QList<qint16>({3, 3, 3, 3}));
        e.chooseCount(CountChoice::Ten);
        QCOMPARE(e.rows(List::UpperTexts), numbered("to", 3));

        // A copy of three pictures leaves ten rows, three counted: 10 → 5 keeps them all.
        e.copyFromUpper(Kind::Pictures);
        e.chooseCount(CountChoice::Five);
        QCOMPARE(e.rows(List::LowerPictures), numbered("bo", 3) + QStringList(7, QString()));
        e.chooseCount(CountChoice::Five);
        QCOMPARE(e.rows(List::LowerPictures).size(), 10);
    }

    void choosingPictures()
    {
        CardSetEditor e;
        e.load(stored(3, {}));
        QVERIFY(e.choosePicture(Row::Upper, QStringLiteral("sol.gif")));
        QVERIFY(!e.choosePicture(Row::Upper, QStringLiteral("sol.gif")));
        QVERIFY(!e.choosePicture(Row::Upper, QString()));
        // Names that differ in letter case are different pictures.
        QVERIFY(e.choosePicture(Row::Upper, QStringLiteral("Sol.gif")));
        QVERIFY(e.choosePicture(Row::Upper, QStringLiteral("SOL.GIF")));
        QVERIFY(!e.choosePicture(Row::Upper, QStringLiteral("sol.GIF")));  // the list has its three
        QCOMPARE(e.rows(List::UpperPictures), QStringList({"sol.gif", "Sol.gif", "SOL.GIF"}));
        // The lower row has its own list.
        QVERIFY(e.choosePicture(Row::Lower, QStringLiteral("sol.gif")));
        QCOMPARE(counters(e), QList<qint16>({3, 0, 1, 0}));
    }

    // Texts follow the same rules: nothing empty, nothing twice in a row, letter case and
    // blanks count; the other row takes the same text.
    void addingTexts()
    {
        CardSetEditor e;
        e.load(stored(3, {}));
        QVERIFY(!e.addText(Row::Upper, QString()));
        for (const char* text : {"Häst", "häst", "Häst "})
            QVERIFY(e.addText(Row::Upper, QString::fromUtf8(text)));
        QVERIFY(!e.addText(Row::Upper, QStringLiteral("ko")));
        QVERIFY(e.addText(Row::Lower, QStringLiteral("Häst")));
        QVERIFY(!e.addText(Row::Lower, QStringLiteral("Häst")));
        QCOMPARE(e.rows(List::UpperTexts), QStringList({"Häst", "häst", "Häst "}));
        QCOMPARE(counters(e), QList<qint16>({0, 3, 0, 1}));
    }

    // An entry is already there also when it stands in the row just past the counted ones,
    // where a lower count moved it up.
    void entryJustPastTheCountedRowsIsThere()
    {
        CardSetEditor e;
        e.load(stored(12, {"to", "tu"}));
        e.copyFromUpper(Kind::Texts);
        QCOMPARE(e.rows(List::LowerTexts), numbered("to", 10) + QStringList({"tu10", "tu11"}));
        e.chooseCount(CountChoice::Five);
        e.chooseCount(CountChoice::Ten);
        QCOMPARE(e.rows(List::LowerTexts), numbered("to", 5) + QStringList({"tu10", "tu11"}));
        QCOMPARE(e.counter(List::LowerTexts), qint16(5));
        QVERIFY(!e.addText(Row::Lower, QStringLiteral("tu10")));
        QVERIFY(!e.addText(Row::Lower, QStringLiteral("to4")));
        QVERIFY(e.addText(Row::Lower, QStringLiteral("tu11")));
        QCOMPARE(e.rows(List::LowerTexts), numbered("to", 5) + QStringList({"tu11", "tu11"}));
    }

    // Removing a row moves the later cards forward; only a counted row lowers the counter,
    // so removing the empty rows a copy left never makes a later choice replace a chosen one.
    void removingRows()
    {
        CardSetEditor e;
        e.load(stored(5, {}));
        for (const char* name : {"a.bmp", "b.gif", "c.jpg"})
            e.choosePicture(Row::Upper, QLatin1String(name));
        e.copyFromUpper(Kind::Pictures);
        e.removeRow(List::LowerPictures, 4);
        QCOMPARE(e.rows(List::LowerPictures), QStringList({"a.bmp", "b.gif", "c.jpg", ""}));
        QCOMPARE(e.counter(List::LowerPictures), qint16(3));
        e.removeRow(List::LowerPictures, 1);
        QCOMPARE(e.rows(List::LowerPictures), QStringList({"a.bmp", "c.jpg", ""}));
        QCOMPARE(e.counter(List::LowerPictures), qint16(2));
        e.removeRow(List::LowerPictures, -1);
        QCOMPARE(e.rows(List::LowerPictures).size(), 3);
        QVERIFY(e.choosePicture(Row::Lower, QStringLiteral("d.jpeg")));
        QCOMPARE(e.rows(List::LowerPictures), QStringList({"a.bmp", "c.jpg", "d.jpeg"}));

        // Emptied by removing: the counter never goes below 0.
        e.copyFromUpper(Kind::Texts);
        for (int i = 0; i < 5; ++i)
            e.removeRow(List::LowerTexts, 0);
        QCOMPARE(e.rows(List::LowerTexts), QStringList());
        QCOMPARE(e.counter(List::LowerTexts), qint16(0));
    }

    // Copying overwrites the lower row's first cards without a question, leaves its rows
    // beyond them, touches only its own list, and gives the same lists when done twice.
    void copying()
    {
        CardSetEditor e;
        e.load(stored(5, {"tu", "bu"}));
        e.copyFromUpper(Kind::Texts);
        QCOMPARE(e.rows(List::LowerTexts), QStringList(5, QString()));
        QCOMPARE(e.counter(List::LowerTexts), qint16(0));
        for (const char* text : {"ö1", "ö2", "ö3"})
            e.addText(Row::Upper, QString::fromUtf8(text));
        e.copyFromUpper(Kind::Texts);
        e.copyFromUpper(Kind::Texts);
        QCOMPARE(e.rows(List::LowerTexts), QStringList({"ö1", "ö2", "ö3", "", ""}));
        QCOMPARE(counters(e), QList<qint16>({0, 3, 5, 3}));
        QCOMPARE(e.rows(List::LowerPictures), numbered("bu", 5));
        QVERIFY(e.addText(Row::Lower, QStringLiteral("ny")));
        QCOMPARE(e.rows(List::LowerTexts), QStringList({"ö1", "ö2", "ö3", "ny", ""}));
    }

    // What "Spara" writes: the count's cards from the lists, missing rows empty, rows beyond
    // the count left out, and what each row shows.
    void cardSetToSave()
    {
        CardSetEditor e;
        settings::CardSet loaded = stored(12, {"bo", "tu"});
        loaded.upperDisplay = RowDisplay::Both;
        e.load(loaded);
        e.setDisplay(Row::Lower, RowDisplay::Texts);
        const settings::CardSet saved = e.cardSetToSave();
        QCOMPARE(saved.count, qint16(10));
        QCOMPARE(saved.upperDisplay, RowDisplay::Both);
        QCOMPARE(saved.lowerDisplay, RowDisplay::Texts);
        QCOMPARE(saved.cards, stored(10, {"bo", "tu"}).cards);

        e.chooseCount(CountChoice::Five);
        e.removeRow(List::UpperPictures, 0);
        QCOMPARE(e.cardSetToSave().cards.size(), 5);
        QCOMPARE(e.cardSetToSave().cards[4], (settings::Card{QString(), QString(), QString(), QStringLiteral("tu4")}));
    }

    // The tool opens any count the file stores but -32768.
    void readingToEdit()
    {
        CardFolder folder;
        folder.writeIni(cardFile(12, 0, 5, numberedStrings(12)));
        QCOMPARE(editor::readCardSetToEdit(QStringLiteral("kortvy.ini")).cards.size(), 12);
        folder.writeIni(cardFile(-4, 0, 1, {}));
        QCOMPARE(editor::readCardSetToEdit(QStringLiteral("kortvy.ini")).cards.size(), 0);
        folder.writeIni(cardFile(-32768, 0, 1, {}));
        QCOMPARE(failureOf([] { editor::readCardSetToEdit(QStringLiteral("kortvy.ini")); }),
                 QStringLiteral("Fel i inställningsfilen %1, rad 1: antalet kort är -32768, och så många kort kan inte läsas.")
                     .arg(folder.iniPath()));
    }
};

QTEST_GUILESS_MAIN(EditorTest)
#include "tst_editor.moc"
