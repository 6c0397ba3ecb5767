// A card's word as it is kept: cut to the word, evened out to the same loudness, ended by
// itself; and "Spela in" where nothing can record.
#include "playoptions/PlayOptionsDialog.h"
#include "recording/Take.h"
#include "recording/TakeFile.h"

#include "tests/support/TestSupport.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <cmath>

namespace {

constexpr int kRate = 16000;

// Silence, a 440 Hz tone clipped at full scale as a microphone clips it, silence; a faint
// hiss throughout, as a microphone's quiet has.
recording::Take toneTake(double before, double tone, double after, double amplitude)
{
    recording::Take take{{}, kRate};
    for (int i = 0; i < int((before + tone + after) * kRate); ++i) {
        const double t = double(i) / kRate;
        const double word = t >= before && t < before + tone ? amplitude * std::sin(2 * M_PI * 440 * t) : 0;
        take.samples << float(std::clamp(word + 0.0005 * ((i * 7919) % 200 - 100) / 100, -1.0, 1.0));
    }
    return take;
}

// When the take ends by itself, fed as the microphone gives it, or -1.
double endOf(const recording::Take& take)
{
    recording::EndDetector detector(take.rate);
    for (qsizetype at = 0; at < take.samples.size(); at += 80) {
        if (detector.feed(take.samples.constData() + at, std::min<qsizetype>(80, take.samples.size() - at)))
            return double(at + 80) / take.rate;
    }
    return -1;
}

} // namespace

class TakeTest : public QObject {
    Q_OBJECT

private slots:
    // A loud word, a quiet one and one that clips all come out as long as the word and its
    // kept silences, and equally loud; a take of the room's steady hum is not made loud.
    void theWordIsCutAndEvenedOut()
    {
        for (double amplitude : {0.5, 0.01, 3.0}) {
            const recording::Take kept = recording::evenedOut(recording::trimmed(toneTake(0.5, 1, 2, amplitude)));
            QVERIFY2(std::abs(kept.seconds() - 1.2) < 0.02, qPrintable(QString::number(kept.seconds())));
            QVERIFY2(std::abs(recording::peakOf(kept.samples) - recording::kTargetPeak) < 1e-4, qPrintable(QString::number(amplitude)));
        }
        const recording::Take room = toneTake(0, 3, 0, 0.01);
        QVERIFY(!recording::heardAnything(room));
        QCOMPARE(recording::evenedOut(recording::trimmed(room)).samples, room.samples);
    }

    // 1.5 s after the word, whether the word came at once, was quiet, or paused within; at
    // 10 s when nothing was said.
    void theTakeEndsByItself()
    {
        QCOMPARE(endOf(toneTake(0.5, 1, 3, 0.5)), 3.0);
        QCOMPARE(endOf(toneTake(0, 1, 3, 0.5)), 2.5);
        QCOMPARE(endOf(toneTake(0.5, 1, 3, 0.01)), 3.0);
        recording::Take paused = toneTake(0.5, 0.5, 1, 0.5);
        paused.samples += toneTake(0, 0.5, 3, 0.5).samples;
        QCOMPARE(endOf(paused), 4.0);
        QCOMPARE(endOf(toneTake(12, 0, 0, 0)), 10.0);
    }

    void theNextCardToRecordIsOneWithoutARecording()
    {
        QList<cardsets::CardSound> cards(4);
        cards[0].soundBase = cards[2].soundBase = cards[3].soundBase = QStringLiteral("x");
        cards[2].ownSounds = QStringList{QStringLiteral("x.wav")};
        QCOMPARE(recording::nextToRecord(cards, 0), 3);
        QCOMPARE(recording::nextToRecord(cards, 3), 0);
        cards[0].ownSounds = cards[3].ownSounds = cards[2].ownSounds;
        QCOMPARE(recording::nextToRecord(cards, 0), -1);
    }

    // The test runs with no sound server: one message, and nothing in the set's folder.
    void withoutASoundServerNothingIsRecorded()
    {
        CardFolder folder;
        folder.picture(QStringLiteral("katt.gif"));
        folder.writeIni(cardFile(1, 0, 1, {"katt.gif", "", "", "katt"}));
        const QStringList before = folder.entries();
        playoptions::PlayOptionsDialog dialog(folder.path(), QStringLiteral("Djur"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* record = control<QPushButton>(dialog, QStringLiteral("SpelaIn"));
        QVERIFY(record->isEnabled() && !record->visibleRegion().isEmpty());
        record->click();
        QMessageBox* told = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((told = dialog.findChild<QMessageBox*>()), 10000);
        QCOMPARE(told->text(), QStringLiteral("Det går inte att spela in. Datorn hittar ingen mikrofon. Se till att en mikrofon är "
                                              "ansluten och att datorns ljud är igång. Inget har ändrats."));
        QTest::qWait(300);
        QCOMPARE(dialog.findChildren<QMessageBox*>().size(), 1);
        QCOMPARE(folder.entries(), before);
        QVERIFY(!record->isHidden() && record->isEnabled());
    }
};

QTEST_MAIN(TakeTest)
#include "tst_take.moc"
