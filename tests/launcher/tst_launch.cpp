// kortvy-start's own rules: the card set given on the command line, and the scale the game
// starts at.
#include "launcher/Launch.h"
#include "launcher/Scale.h"

#include "tests/support/TestSupport.h"

#include <QtTest>

class LaunchTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    void theCardSetGivenOnTheCommandLine()
    {
        const QString set = m_tmp.filePath(QStringLiteral("given/Djur"));
        writeBytes(set + QStringLiteral("/kortvy.ini"), cardFile(3, 2, 2, emptyStrings(3)));
        writeBytes(set + QStringLiteral("/katt.jpg"), "x");
        QCOMPARE(launcher::cardSetFolderOf(set + QStringLiteral("/")), set);
        QCOMPARE(launcher::cardSetFolderOf(set + QStringLiteral("/kortvy.ini")), set);
        const QList<QPair<QString, QString>> wrong{
            {set + QStringLiteral("/katt.jpg"), QStringLiteral("varken en mapp med en kortlek eller en kortvy.ini")},
            {m_tmp.filePath(QStringLiteral("given")), QStringLiteral("mappen har ingen kortvy.ini")},
            {m_tmp.filePath(QStringLiteral("saknas/kortvy.ini")), QStringLiteral("den finns inte")}};
        for (const auto& [path, problem] : wrong) {
            const QString failure = failureOf([&] { launcher::cardSetFolderOf(path); });
            QVERIFY2(failure.startsWith(path + " kan inte öppnas som kortlek: ") && failure.contains(problem),
                     qPrintable(failure));
        }
        QCOMPARE(launcher::parseArguments({"Kortvyadm", set}).cardSet, set);
        for (const QStringList& arguments : {QStringList{}, QStringList{"Kortvy", "a", "b"}, QStringList{"bash"}})
            QVERIFY(failureOf([&] { launcher::parseArguments(arguments); })
                        .contains("Användning: kortvy-start Kortvy [KORTLEK]"));
    }

    // Which program starts in which folder: a set from the file manager at once, the
    // learner's only set at once, anything else through the list, whose actions run the game
    // or the supervisor.
    void eachRoadRunsTheRightProgramInTheRightFolder()
    {
        const QString root = m_tmp.filePath(QStringLiteral("vägar/Kortvy"));
        writeBytes(root + QStringLiteral("/Djur/kortvy.ini"), cardFile(1, 2, 2, emptyStrings(1)));
        const auto road = [&](const QString& program, const QString& set) {
            const launcher::Road r = launcher::roadFor({program, set}, set.isEmpty() ? root : QString(), true);
            return r.list ? QStringLiteral("lista ") + r.otherSet : r.folder;
        };
        QCOMPARE(road("Kortvy", QString()), root + "/Djur");
        QCOMPARE(road("Kortvyadm", QString()), QStringLiteral("lista "));
        QCOMPARE(road("Kortvy", root + "/Djur/kortvy.ini"), root + "/Djur");
        QCOMPARE(road("Kortvyadm", root + "/Djur"), root + "/Djur");
        writeBytes(root + QStringLiteral("/Frukt/kortvy.ini"), cardFile(1, 2, 2, emptyStrings(1)));
        QCOMPARE(road("Kortvy", QString()), QStringLiteral("lista "));
        QCOMPARE(launcher::programFor(launcher::Action::Play), QStringLiteral("Kortvy"));
        QCOMPARE(launcher::programFor(launcher::Action::Edit), QStringLiteral("Kortvyadm"));
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
        QCOMPARE(launcher::scaleFor(available), scale);
        QCOMPARE(launcher::scaleText(1.25), QStringLiteral("1.25"));
    }
};

QTEST_GUILESS_MAIN(LaunchTest)
#include "tst_launch.moc"
