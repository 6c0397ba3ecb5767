// What is heard for a card, and when, with a player and a speaker that only write down what
// they are asked.
#include "exercise/ReadAloud.h"

#include "tests/support/TestSupport.h"

#include <QtTest>

using exercise::Utterance;
using exercise::utteranceFor;
using Kind = exercise::Utterance::Kind;

namespace {

struct Ears : exercise::SoundPlayer, exercise::Speaker {
    QStringList heard;
    void play(const QString& file) override { heard << QStringLiteral("play ") + QFileInfo(file).fileName(); }
    void say(const QString& word) override { heard << QStringLiteral("say ") + word; }
    void stop() override { heard << QStringLiteral("stop"); }
};

settings::Card card(const QString& upperPicture, const QString& upperText, const QString& lowerText = {})
{
    return {upperPicture, QStringLiteral("undre.gif"), upperText, lowerText};
}

} // namespace

class ReadAloudTest : public QObject {
    Q_OBJECT

private slots:
    // The recording named as the upper picture comes first, in the order of the kinds; then
    // the upper word, then the partner's; a card with neither is silent.
    void whatIsHeard()
    {
        CardFolder folder;
        const QDir dir(folder.path());
        for (const char* name : {"katt.mp3", "katt.ogg", "hund.mp3", "hund.m4a", "sol.txt", "bil.wav.jpg"})
            writeBytes(dir.filePath(QLatin1String(name)), "x");
        QCOMPARE(utteranceFor(dir, card("katt.jpg", "katt")), (Utterance{Kind::Sound, dir.filePath("katt.ogg"), "katt"}));
        QCOMPARE(utteranceFor(dir, card("hund.png", {})), (Utterance{Kind::Sound, dir.filePath("hund.mp3"), {}}));
        QCOMPARE(utteranceFor(dir, card("sol.gif", "sol")), (Utterance{Kind::Word, "sol", {}}));
        QCOMPARE(utteranceFor(dir, card("bil.wav.jpg", {}, "bil")), (Utterance{Kind::Word, "bil", {}}));
        QCOMPARE(utteranceFor(dir, card({}, " ", " ")), Utterance());
    }

    // Each frame move is heard once, after whatever was playing stops; R or a click asks again;
    // leaving stops all. Switched off, neither player nor speaker is ever asked.
    void whenItIsHeard()
    {
        const QList<Utterance> cards = {{Kind::Sound, "/x/katt.wav", {}}, {}, {Kind::Word, "sol", {}}};
        Ears ears;
        exercise::ReadAloud off(false, cards, &ears, &ears);
        off.frameMovedTo(0);
        off.again();
        off.stop();
        QCOMPARE(ears.heard, QStringList());

        exercise::ReadAloud on(true, cards, &ears, &ears);
        on.again();
        QCOMPARE(ears.heard, QStringList());
        on.frameMovedTo(0);
        on.again();
        on.frameMovedTo(1);
        on.frameMovedTo(2);
        on.stop();
        QCOMPARE(ears.heard, (QStringList{"stop", "stop", "play katt.wav", "stop", "stop", "play katt.wav", "stop", "stop",
                                          "stop", "stop", "say sol", "stop", "stop"}));
    }

    // A recording that cannot be played gives way to its card's word, but only while that
    // card is framed and read-aloud is on; a card with no word stays silent.
    void aFailedRecordingIsSpoken()
    {
        const QList<Utterance> cards = {{Kind::Sound, "/x/katt.wav", "katt"}, {Kind::Sound, "/x/sol.wav", " "},
                                        {Kind::Sound, "/x/bil.wav", "bil"}};
        Ears ears;
        exercise::ReadAloud off(false, cards, &ears, &ears);
        off.frameMovedTo(0);
        off.recordingFailed("/x/katt.wav");
        QCOMPARE(ears.heard, QStringList());

        exercise::ReadAloud on(true, cards, &ears, &ears);
        on.frameMovedTo(0);
        on.recordingFailed("/x/katt.wav");
        on.frameMovedTo(1);
        on.recordingFailed("/x/sol.wav");
        on.frameMovedTo(2);
        on.recordingFailed("/x/katt.wav");
        QCOMPARE(ears.heard, (QStringList{"stop", "stop", "play katt.wav", "say katt", "stop", "stop", "play sol.wav",
                                          "stop", "stop", "play bil.wav"}));
    }
};

QTEST_GUILESS_MAIN(ReadAloudTest)
#include "tst_readaloud.moc"
