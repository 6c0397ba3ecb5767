#include "tests/game/GameTestSupport.h"
#include "tests/support/ProgramRun.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

using namespace gametest;
using game::Form1;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    void cardsGoIntoTheirSlots()
    {
        // 0.25, 0.75, 0.5 shuffle three cards to ordning 0, 2, 1.
        ScriptedRandom draws({0.25f, 0.75f, 0.5f});
        RandomInPlace inPlace(&draws);
        CardFolder folder;
        for (const char* name : {"björn.bmp", "katt.gif", "hund.jpg", "häst.jpeg"})
            folder.picture(QString::fromUtf8(name));
        // Card 0 has no upper text, card 1 no lower picture and card 2 no upper picture; the
        // lines after the last card are never read.
        folder.writeIni(cardFile(3, 2, 2,
                                 {"björn.bmp", "katt.gif", "", "björn, ett djur",
                                  "hund.jpg", "", "Hund", "hund",
                                  "", "häst.jpeg", "Häst", "häst"})
                        + "this is not read\r\n");

        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        QCOMPARE(draws.seeds, 1);
        QCOMPARE(form.filnamn, QStringLiteral("kortvy.ini"));
        QCOMPARE(form.antal, qint16(3));
        QCOMPARE(form.plats, qint16(0));
        QCOMPARE(form.ordning(0), qint16(0));
        QCOMPARE(form.ordning(1), qint16(2));
        QCOMPARE(form.ordning(2), qint16(1));

        QCOMPARE(form.Image1(0)->pictureFile(), QStringLiteral("björn.bmp"));
        QCOMPARE(form.Image1(1)->pictureFile(), QStringLiteral("hund.jpg"));
        QVERIFY(!form.Image1(2)->hasPicture());
        QCOMPARE(form.Panel3D3(0)->Caption(), QString());
        QCOMPARE(form.Panel3D3(1)->Caption(), QStringLiteral("Hund"));
        QCOMPARE(form.Panel3D3(2)->Caption(), QStringLiteral("Häst"));

        // Lower card i stands in slot ordning(i), picture and text together.
        QCOMPARE(form.Image2(0)->pictureFile(), QStringLiteral("katt.gif"));
        QCOMPARE(form.Panel3D4(0)->Caption(), QStringLiteral("björn, ett djur"));
        QVERIFY(!form.Image2(2)->hasPicture());
        QCOMPARE(form.Panel3D4(2)->Caption(), QStringLiteral("hund"));
        QCOMPARE(form.Image2(1)->pictureFile(), QStringLiteral("häst.jpeg"));
        QCOMPARE(form.Panel3D4(1)->Caption(), QStringLiteral("häst"));
        QCOMPARE(form.bild_undre(1), QString());
        for (int k = 3; k < 10; ++k)
            QVERIFY(form.Panel3D3(k)->Caption().isEmpty() && form.Panel3D4(k)->Caption().isEmpty());

        // A screen reader names a card by its text, or by its picture's name without one.
        QCOMPARE(accessibleName(form.Image1(0)), QStringLiteral("björn"));
        QCOMPARE(accessibleName(form.Image1(1)), QStringLiteral("Hund"));
        QCOMPARE(accessibleName(form.Image2(0)), QStringLiteral("björn, ett djur"));  // lower card 0 in slot 0
        QCOMPARE(accessibleName(form.Panel3D4(2)), QStringLiteral("hund"));           // lower card 1 in slot 2
        QCOMPARE(accessibleName(form.Command3D2), QStringLiteral("Sluta"));

        // The pictures are real: each decodes at its shown size.
        form.Image1(0)->decode();
        QCOMPARE(form.Image1(0)->decodedImage().size(), QSize(148, 148));
    }

    void backdropCoversTheScreenBeforeTheWindowShows()
    {
        Game game(5);
        Form1& form = game.form;
        QCOMPARE(game.failure, QString());
        QVERIFY(form.Form2);
        QVERIFY(form.Form2->isVisible());
        QVERIFY(!form.isVisible());
        QCOMPARE(form.Form2->geometry(), QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(form.Form2->grab().toImage().pixelColor(5, 5), QColor(0, 0, 0));
        QVERIFY(game.show());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form.geometry().center().y() - screen.center().y()) <= 1);
    }

    void startupFailures_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("named");
        const QStringList fine{"\"\"", "\"\"", "\"a\"", "\"b\""};
        QTest::newRow("missing file") << QByteArray() << QStringList{"kortvy.ini", "finns inte"};
        QTest::newRow("short file") << iniLines(QStringList{"3", "2", "2"} + fine + fine + QStringList{"\"\""})
                                    << QStringList{"kortvy.ini"};
        QTest::newRow("no number for the count") << iniLines(QStringList{"tre", "2", "2"} + fine)
                                                 << QStringList{"kortvy.ini", "rad 1"};
        QTest::newRow("no number for a type") << iniLines(QStringList{"3", "två", "2"} + fine + fine + fine)
                                              << QStringList{"kortvy.ini", "rad 2"};
        // The count is refused before any card is read, however much follows it.
        QTest::newRow("count 0") << iniLines({"0", "2", "2"}) << QStringList{"kortvy.ini", " 0", "1 till 10"};
        QTest::newRow("count -1") << iniLines({"-1", "2", "2"}) << QStringList{"kortvy.ini", "-1", "1 till 10"};
        QTest::newRow("count 11") << iniLines(QStringList{"11", "2", "2"} + fine)
                                  << QStringList{"kortvy.ini", "11", "1 till 10"};
        QTest::newRow("missing upper picture")
            << iniLines(QStringList{"3", "2", "2"} + fine + QStringList{"\"saknas.bmp\"", "\"\"", "\"\"", "\"\""} + fine)
            << QStringList{"saknas.bmp", "kort 2", "övre raden"};
        QTest::newRow("lower file that holds no picture")
            << iniLines(QStringList{"3", "2", "2"} + fine + fine + QStringList{"\"\"", "\"text.jpg\"", "\"\"", "\"\""})
            << QStringList{"text.jpg", "kort 3", "undre raden"};
    }
    void startupFailures()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, named);
        CardFolder folder;
        if (!ini.isNull())
            folder.writeIni(ini);
        writeBytes(folder.path() + QStringLiteral("/text.jpg"), "plain words, no picture\r\n");
        Form1 form;
        const QString message = loadFailure(form);
        QVERIFY2(!message.isEmpty(), "start-up did not fail");
        for (const QString& part : named)
            QVERIFY2(message.contains(part), qPrintable(message));
        QVERIFY(!form.isVisible());
        if (form.antal < 1 || form.antal > 10)
            QVERIFY(form.text_ovre(0).isEmpty());  // no card was read
    }

    // The program itself, started as from the menu: the message in a box for the user who
    // sees no terminal and on standard error, and status 1, before any window is shown.
    void programEndsWithTheMessage()
    {
        CardFolder folder;
        folder.writeIni(iniLines({"11", "2", "2"}));
        ProgramRun game(QStringLiteral(KORTVY_GAME_PROGRAM), folder.path());
        QVERIFY(game.waitForEnd(20000));
        QVERIFY(!game.crashed());
        QCOMPARE(game.exitCode(), 1);
        QCOMPARE(game.messageBoxes(), 1);
        const QString err = game.standardError();
        QVERIFY2(err.contains(QStringLiteral("kortvy.ini")) && err.contains(QStringLiteral("11")), qPrintable(err));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
