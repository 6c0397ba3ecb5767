// The stored card set as the window shows it at start-up, and a start-up that fails.

#include "tests/supervisor/SupervisorTestSupport.h"
#include "tests/support/ProgramRun.h"

using namespace supervisortest;

class LoadingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    // The count option and the list heights of the stored count, the display options of the
    // stored codes, and the lists as stored, before the window is shown.
    void showsTheStoredSet_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("option");
        QTest::addColumn<float>("height");
        QTest::addColumn<QList<int>>("displayOptions");
        QTest::newRow("5, pictures, both") << 5 << 0 << 2 << 1 << 1230.0f << QList<int>{1, 5};
        QTest::newRow("3, texts, pictures") << 3 << 1 << 0 << 0 << 750.0f << QList<int>{0, 4};
        QTest::newRow("4, unknown codes") << 4 << 5 << -1 << 2 << 2430.0f << QList<int>{2, 5};
    }
    void showsTheStoredSet()
    {
        QFETCH(int, count);
        QFETCH(int, upper);
        QFETCH(int, lower);
        QFETCH(int, option);
        QFETCH(float, height);
        QFETCH(QList<int>, displayOptions);
        CardFolder folder;
        folder.writeIni(cardFile(count, upper, lower, numberedStrings(count)));
        auto form = loadForm();
        QVERIFY(form->backdrop() && form->backdrop()->isVisible());
        QVERIFY(!form->isVisible());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(countOption(*form, i)->isChecked(), i == option);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(displayOption(*form, i)->isChecked(), displayOptions.contains(i));
        const char* const prefixes[] = {"bo", "to", "bu", "tu"};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(list(*form, k)->rows(), numbered(prefixes[k], count));
            QCOMPARE(list(*form, k)->twips().height, height);
        }
        // Loading shows no picture.
        QVERIFY(!preview(*form, 0)->hasPicture() && !preview(*form, 1)->hasPicture());
    }

    // The program itself, started as from the menu: the message in a box and on standard
    // error, status 1, and kortvy.ini as it was.
    void programEndsBeforeItsWindowShows()
    {
        CardFolder folder;
        folder.writeIni(cardFile(5, 1, 0, numberedStrings(4)));
        ProgramRun program(QStringLiteral(KORTVYADM_PROGRAM), folder.path());
        QVERIFY(program.waitForEnd(20000));
        QVERIFY(!program.crashed());
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.messageBoxes(), 1);
        const QString error = program.standardError();
        QVERIFY2(error.contains(QStringLiteral("kortvy.ini")) && error.contains(QStringLiteral("tar slut")),
                 qPrintable(error));
        QCOMPARE(folder.ini(), cardFile(5, 1, 0, numberedStrings(4)));
    }
};

QTEST_MAIN(LoadingTest)
#include "tst_loading.moc"
