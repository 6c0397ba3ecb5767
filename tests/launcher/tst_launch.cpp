// kortvy-start's own rules: the card set given on the command line.
#include "launcher/Launch.h"

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
};

QTEST_GUILESS_MAIN(LaunchTest)
#include "tst_launch.moc"
