// What is heard for a card and what it is called, as the game and Kortlekar both see it.
#include "settings/CardFacts.h"

#include "tests/support/TestSupport.h"

#include <QtTest>

using settings::Utterance;
using settings::utteranceFor;
using Kind = settings::Utterance::Kind;

namespace {

settings::Card card(const QString& upperPicture, const QString& upperText, const QString& lowerText = {})
{
    return {upperPicture, QStringLiteral("undre.gif"), upperText, lowerText};
}

} // namespace

class CardFactsTest : public QObject {
    Q_OBJECT

private slots:
    // The recording named as the upper picture, up to its last dot, comes first, in the order
    // of the kinds; then the upper word, then the partner's; a card with neither is silent.
    void whatIsHeard()
    {
        CardFolder folder;
        const QDir dir(folder.path());
        for (const char* name : {"katt.mp3", "katt.ogg", "hund.mp3", "hund.m4a", "sol.txt", "bil.wav.jpg", "sol.bild.wav"})
            writeBytes(dir.filePath(QLatin1String(name)), "x");
        QCOMPARE(utteranceFor(dir, card("katt.jpg", "katt")), (Utterance{Kind::Sound, dir.filePath("katt.ogg"), "katt"}));
        QCOMPARE(utteranceFor(dir, card("hund.png", {})), (Utterance{Kind::Sound, dir.filePath("hund.mp3"), {}}));
        QCOMPARE(utteranceFor(dir, card("sol.gif", "sol")), (Utterance{Kind::Word, "sol", {}}));
        QCOMPARE(utteranceFor(dir, card("sol.bild.jpg", "sol")), (Utterance{Kind::Sound, dir.filePath("sol.bild.wav"), "sol"}));
        QCOMPARE(utteranceFor(dir, card("bil.wav.jpg", {}, "bil")), (Utterance{Kind::Word, "bil", {}}));
        QCOMPARE(utteranceFor(dir, card({}, " ", " ")), Utterance());
    }

    // The question names the framed card without giving its answer away: by its upper text,
    // its upper picture, or its place, never by its partner's word.
    void whatACardIsCalled()
    {
        QCOMPARE(settings::nameOf({"", "", "", "svar"}, 0), QStringLiteral("kort 1"));
        QCOMPARE(settings::nameOf({"sol.bild.bmp", "", " ", "y"}, 1), QStringLiteral("sol.bild"));
        QCOMPARE(settings::nameOf({"sol.bmp", "", "ord", "z"}, 2), QStringLiteral("ord"));
    }
};

QTEST_MAIN(CardFactsTest)
#include "tst_cardfacts.moc"
