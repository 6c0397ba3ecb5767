// Card sets as folders under the user's card folder: which are listed and how, names for
// new ones, the card set given on the command line, and the scale the game starts at.
#include "launcher/CardSets.h"
#include "launcher/Launch.h"
#include "launcher/Scale.h"

#include "runtime/Error.h"
#include "settings/CardSetFile.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

class CardSetsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString folder(const QString& name)
    {
        const QString path = m_tmp.filePath(name);
        QDir().mkpath(path);
        return path;
    }

private slots:
    void listsTheFolderAndItsCardSets()
    {
        const QString root = folder(QStringLiteral("Kortvy"));
        writeBytes(root + QStringLiteral("/kortvy.ini"), cardFile(3, 0, 1, {"a.jpg", "", "", "", "", "b.gif", "", "",
                                                                             "a.jpg", "", "", ""}));
        writeBytes(root + QStringLiteral("/Ödlor/kortvy.ini"), cardFile(11, 0, 0, emptyStrings(11)));
        writeBytes(root + QStringLiteral("/ägg/kortvy.ini"), "3\r\n\"inget tal\"\r\n");
        writeBytes(root + QStringLiteral("/Djur 10/kortvy.ini"), cardFile(5, 2, 2, emptyStrings(5)));
        writeBytes(root + QStringLiteral("/Djur 9/kortvy.ini"), cardFile(1, 2, 2, emptyStrings(1)));
        writeBytes(root + QStringLiteral("/.Kortvy.12.ny/kortvy.ini"), cardFile(3, 2, 2, emptyStrings(3)));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/bara bilder")));

        const QList<launcher::CardSetSummary> sets = launcher::listCardSets(root);
        QStringList names;
        for (const auto& set : sets)
            names << set.name;
        QCOMPARE(names, (QStringList{"Kortvy", "Djur 9", "Djur 10", "ägg", "Ödlor"}));

        QCOMPARE(sets[0].count, 3);
        // The upper picture, else the lower one; each picture once.
        QCOMPARE(sets[0].pictures, (QStringList{root + "/a.jpg", root + "/b.gif"}));
        QVERIFY(sets[0].playable());
        QVERIFY(sets[3].problem.contains(QStringLiteral("ägg/kortvy.ini, rad 2")));
        QVERIFY(!sets[3].readable && !sets[3].playable());
        QCOMPARE(sets[4].problem, QStringLiteral("Spelet kan bara visa 1 till 10 kort, men kortleken har 11."));
        QVERIFY(sets[4].readable);
    }

    void namesForNewSets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        QTest::newRow("ok, blanks trimmed") << " Frukt " << "";
        QTest::newRow("blanks") << "   " << "Skriv ett namn";
        QTest::newRow("dot dot") << ".." << "kan inte vara \".\"";
        QTest::newRow("hidden") << ".dold" << "börja med en punkt";
        QTest::newRow("slash") << "a/b" << "tecknet \"/\"";
        QTest::newRow("NUL") << QString("a") + QChar(0) << "nolltecken";
        QTest::newRow("quote") << "\"x\"" << "tecknet \"\"\"";
        QTest::newRow("outside Windows-1252") << "Łódź" << "tecknet \"Ł\"";
        QTest::newRow("too long") << QString(200, QChar(u'ö')) << "för långt";
        QTest::newRow("taken by a set") << "Finns" << "redan en mapp som heter \"Finns\"";
        QTest::newRow("taken by a file") << "fil" << "redan en fil";
    }
    void namesForNewSets()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        const QString root = folder(QStringLiteral("namn"));
        QDir().mkpath(root + QStringLiteral("/Finns"));
        writeBytes(root + QStringLiteral("/fil"), "x");
        const QString said = launcher::newSetNameProblem(root, name);
        QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.contains(problem), qPrintable(said));
        QVERIFY(!QFileInfo::exists(root + "/Frukt"));
    }

    void aNewSetIsEmptyAndNeverReplacesAnything()
    {
        const QString root = folder(QStringLiteral("ny"));
        const QString made = launcher::createCardSet(root, QStringLiteral(" Frukt "));
        QCOMPARE(made, root + QStringLiteral("/Frukt"));
        const settings::CardSet set = settings::readCardSet(made + QStringLiteral("/kortvy.ini"));
        QCOMPARE(set.count, qint16(3));
        QCOMPARE(set.upperDisplay, settings::RowDisplay::Pictures);
        QCOMPARE(set.lowerDisplay, settings::RowDisplay::Texts);
        QCOMPARE(set.cards, QList<settings::Card>(3));

        writeBytes(made + QStringLiteral("/kortvy.ini"), "lärarens");
        const QString failure = failureOf([&] { launcher::createCardSet(root, QStringLiteral("Frukt")); });
        QVERIFY2(failure.startsWith(QStringLiteral("Kortleken \"Frukt\" kunde inte skapas")), qPrintable(failure));
        QCOMPARE(readBytes(made + QStringLiteral("/kortvy.ini")), QByteArray("lärarens"));
    }

    void theCardSetGivenOnTheCommandLine()
    {
        const QString set = folder(QStringLiteral("given/Djur"));
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

QTEST_GUILESS_MAIN(CardSetsTest)
#include "tst_cardsets.moc"
