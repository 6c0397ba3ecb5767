// "Spela in" then "Behåll" with a microphone that hears a known word: a private sound server
// whose default source is what is played into its null sink.
#include "playoptions/PlayOptionsDialog.h"
#include "playoptions/RecordPanel.h"
#include "recording/TakeFile.h"
#include "sound/Voice.h"

#include "tests/support/TestSupport.h"

#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>
#include <sndfile.h>

class MicrophoneTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch;
    QProcess m_server;
    QString m_address;

    bool pactl(const QStringList& arguments)
    {
        QProcess run;
        run.start(QStringLiteral("pactl"), QStringList{QStringLiteral("-s"), m_address} + arguments);
        return run.waitForFinished(5000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
    }

private slots:
    void initTestCase()
    {
        for (const char* program : {"pulseaudio", "pactl", "paplay"}) {
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("no sound server can start here: %1 is missing").arg(QLatin1String(program))));
        }
        m_address = QStringLiteral("unix:") + m_scratch.filePath(QStringLiteral("native"));
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.start(QStringLiteral("pulseaudio"),
                       {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
                        QStringLiteral("--use-pid-file=no"), QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                        QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + m_scratch.filePath(QStringLiteral("native")),
                        QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=ut"),
                        // Qt lists no monitor as a microphone: this source is the monitor by another name.
                        QStringLiteral("-L"), QStringLiteral("module-remap-source master=ut.monitor source_name=mikrofon")});
        m_server.waitForStarted(5000);
        QElapsedTimer waited;
        waited.start();
        while (!pactl({QStringLiteral("info")}) && m_server.state() == QProcess::Running && waited.elapsed() < 10000)
            QTest::qWait(100);
        if (!pactl({QStringLiteral("set-default-source"), QStringLiteral("mikrofon")}))
            QSKIP(qPrintable(QStringLiteral("no sound server can start here: ") + QString::fromLocal8Bit(m_server.readAll())));
        qputenv("PULSE_SERVER", m_address.toUtf8());
    }

    void cleanupTestCase()
    {
        m_server.kill();
        m_server.waitForFinished();
    }

    void aWordIsRecordedCutEvenedOutAndKept()
    {
        // The microphone hears 0.5 s of silence, 1 s of 440 Hz, then 2 s of silence.
        recording::Take word{{}, 44100};
        for (int i = 0; i < 3.5 * 44100; ++i)
            word.samples << (i >= 22050 && i < 66150 ? float(0.5 * std::sin(2 * M_PI * 440 * i / 44100)) : 0.0f);
        const QString heard = m_scratch.filePath(QStringLiteral("ord.wav"));
        recording::writeTake(heard, word);

        CardFolder folder;
        for (const char* name : {"katt.gif", "hund.gif", "sol.gif"})
            folder.picture(QLatin1String(name));
        QFile::copy(heard, folder.path() + QStringLiteral("/hund.wav"));
        folder.writeIni(cardFile(3, 0, 1, {"katt.gif", "", "", "katt", "hund.gif", "", "", "hund", "sol.gif", "", "", "sol"}));
        playoptions::PlayOptionsDialog dialog(folder.path(), QStringLiteral("Djur"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* panel = dialog.findChild<playoptions::RecordPanel*>();
        auto* record = control<QPushButton>(dialog, QStringLiteral("SpelaIn"));
        auto* keep = control<QPushButton>(dialog, QStringLiteral("Behall"));
        // The last card's take leads round to the first, which has none either.
        dialog.findChild<QListWidget*>()->setCurrentRow(2);
        record->setFocus();
        QTest::keyClick(record, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(panel->recording(), 10000);
        QSignalSpy playedBack(panel->findChild<sound::Voice*>(), &sound::Voice::playing);
        QProcess player;
        player.start(QStringLiteral("paplay"), {QStringLiteral("-s"), m_address, QStringLiteral("-d"), QStringLiteral("ut"), heard});
        QElapsedTimer playing;
        playing.start();
        QTRY_VERIFY_WITH_TIMEOUT(keep->isVisible() && dialog.focusWidget() == keep, 15000);
        // It stopped by itself, 1.5 s after the word, long before the longest take.
        QVERIFY2(playing.elapsed() < 6000, qPrintable(QString::number(playing.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(!playedBack.isEmpty(), 5000);
        QVERIFY(playedBack.at(0).at(0).toString().endsWith(QStringLiteral("/sol.wav")));
        QTest::keyClick(keep, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->busy() && !dialog.working(), 10000);
        QCOMPARE(dialog.findChild<QListWidget*>()->currentRow(), 0);
        QCOMPARE(dialog.focusWidget(), record);
        // "Stoppa" ends a take at once; one in which nothing was said is not kept.
        QTest::keyClick(record, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(panel->recording(), 10000);
        QTest::keyClick(control<QPushButton>(dialog, QStringLiteral("Stoppa")), Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(dialog.findChild<QMessageBox*>(), 2500);
        QVERIFY(dialog.findChild<QMessageBox*>()->text().startsWith(QStringLiteral("Inget ord hördes")));
        QVERIFY(!QFileInfo::exists(folder.path() + QStringLiteral("/katt.wav")));
        const QString kept = folder.path() + QStringLiteral("/sol.wav");
        // What the game plays for the card.
        QCOMPARE(cardsets::cardSounds(folder.path()).at(2).heard.what, kept);

        SF_INFO info{};
        SNDFILE* file = sf_open(QFile::encodeName(kept).constData(), SFM_READ, &info);
        QVERIFY(file);
        std::vector<float> samples(info.frames * info.channels);
        sf_readf_float(file, samples.data(), info.frames);
        sf_close(file);
        const double seconds = double(info.frames) / info.samplerate;
        QVERIFY2(std::abs(seconds - 1.2) <= 0.15, qPrintable(QString::number(seconds)));
        const double peakDb = 20 * std::log10(recording::peakOf(samples.data(), qsizetype(samples.size())));
        QVERIFY2(std::abs(peakDb - -1) <= 1, qPrintable(QString::number(peakDb)));
        double loudest = 0;
        int dominant = 0;
        for (int hz = 100; hz <= 2000; ++hz) {
            double re = 0, im = 0;
            for (size_t i = 0; i < samples.size(); ++i) {
                re += samples[i] * std::cos(2 * M_PI * hz * double(i) / info.samplerate);
                im += samples[i] * std::sin(2 * M_PI * hz * double(i) / info.samplerate);
            }
            if (re * re + im * im > loudest)
                std::tie(loudest, dominant) = std::pair(re * re + im * im, hz);
        }
        QVERIFY2(std::abs(dominant - 440) <= 5, qPrintable(QString::number(dominant)));
    }
};

QTEST_MAIN(MicrophoneTest)
#include "tst_microphone.moc"
