// When a card is heard, with a player and a speaker that only write down what
// they are asked.
#include "exercise/ReadAloud.h"

#include "tests/support/TestSupport.h"

#include <QtTest>

using settings::Utterance;
using Kind = settings::Utterance::Kind;

namespace {

struct Ears : exercise::SoundPlayer, exercise::Speaker {
    QStringList heard;
    void play(const QString& file) override { heard << QStringLiteral("play ") + QFileInfo(file).fileName(); }
    void say(const QString& word) override { heard << QStringLiteral("say ") + word; }
    void stop() override { heard << QStringLiteral("stop"); }
};

} // namespace

class ReadAloudTest : public QObject {
    Q_OBJECT

private slots:
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
