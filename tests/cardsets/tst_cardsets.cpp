// Card sets as folders under the user's card folder: which are listed and how, names for
// new ones, and renaming, copying and removing them.
#include "cardsets/CardSetModel.h"
#include "cardsets/CardSets.h"
#include "cardsets/CardSounds.h"

#include "runtime/Error.h"
#include "settings/CardSetFile.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

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
    // The desktop's trash is the test's own.
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(m_tmp.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_tmp.filePath(QStringLiteral("data"))));
    }

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

        const QList<cardsets::CardSetSummary> sets = cardsets::listCardSets(root);
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
        QTest::newRow("outside Windows-1252") << "Łódź" << "";
        QTest::newRow("too long") << QString(200, QChar(u'ö')) << "för långt";
        QTest::newRow("taken by a set") << "Finns" << "redan en mapp som heter \"Finns\"";
        QTest::newRow("taken by a file") << "fil" << "redan en fil";
        QTest::newRow("taken in another case") << "FINNS" << "bara i stora och små";
    }
    void namesForNewSets()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        const QString root = folder(QStringLiteral("namn"));
        QDir().mkpath(root + QStringLiteral("/Finns"));
        writeBytes(root + QStringLiteral("/fil"), "x");
        const QString said = cardsets::newSetNameProblem(root, name);
        QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.contains(problem), qPrintable(said));
        QVERIFY(!QFileInfo::exists(root + "/Frukt"));
    }

    void aNewSetIsEmptyAndNeverReplacesAnything()
    {
        const QString root = folder(QStringLiteral("ny"));
        const QString made = cardsets::createCardSet(root, QStringLiteral(" Frukt "));
        QCOMPARE(made, root + QStringLiteral("/Frukt"));
        const settings::CardSet set = settings::readCardSet(made + QStringLiteral("/kortvy.ini"));
        QCOMPARE(set.count, qint16(3));
        QCOMPARE(set.upperDisplay, settings::RowDisplay::Pictures);
        QCOMPARE(set.lowerDisplay, settings::RowDisplay::Texts);
        QCOMPARE(set.cards, QList<settings::Card>(3));

        writeBytes(made + QStringLiteral("/kortvy.ini"), "lärarens");
        const QString failure = failureOf([&] { cardsets::createCardSet(root, QStringLiteral("Frukt")); });
        QVERIFY2(failure.startsWith(QStringLiteral("Kortleken \"Frukt\" kunde inte skapas")), qPrintable(failure));
        QCOMPARE(readBytes(made + QStringLiteral("/kortvy.ini")), QByteArray("lärarens"));
    }

    // A set that lacks what its rows show is told apart from a whole one.
    void lackingPicturesAndWordsAreCounted()
    {
        const QString root = folder(QStringLiteral("saknas"));
        writePicture(root, QStringLiteral("a.bmp"), QSize(4, 4), Qt::red);
        // Upper row pictures and words, lower row words: the second card's picture is not
        // there and it lacks its upper word; the third has no picture named and lacks its
        // lower word.
        writeBytes(root + QStringLiteral("/kortvy.ini"),
                   cardFile(3, 2, 1, {"a.bmp", "", "ett", "ETT", "borta.bmp", "", "", "TVÅ", "", "", "tre", ""}));
        const cardsets::CardSetSummary set = cardsets::summarize(root);
        QCOMPARE(set.lackingPicture, 2);
        QCOMPARE(set.lackingWord, 2);
        QCOMPARE(set.lacking(), QStringLiteral("2 kort saknar bild, 2 kort saknar ord"));
        QVERIFY(set.playable() && set.writable);
    }

    // A picture the game could not show, a garbage file or one cut short, is found by
    // decoding every picture the rows show; the lower row here shows none.
    void brokenPicturesAreCounted()
    {
        const QString root = folder(QStringLiteral("trasig"));
        writePicture(root, QStringLiteral("hel.jpg"), QSize(64, 64), Qt::blue);
        writeBytes(root + QStringLiteral("/kort.jpg"), readBytes(root + QStringLiteral("/hel.jpg")).left(200));
        writeBytes(root + QStringLiteral("/skräp.gif"), "GIF89a inte en bild");
        writeBytes(root + QStringLiteral("/kortvy.ini"),
                   cardFile(3, 0, 1, {"hel.jpg", "skräp.gif", "", "ett", "kort.jpg", "", "", "två", "skräp.gif", "", "", "tre"}));
        cardsets::CardSetSummary set = cardsets::summarize(root);
        set.brokenPicture = cardsets::cardsWithBrokenPictures(set.cardPictures);
        QCOMPARE(set.lacking(), QStringLiteral("2 kort har en trasig bild"));
    }

    // A recording comes in under its card's name; one the card has already is replaced only
    // when asked, and then goes to the trash, not away.
    void recordingsComeInUnderTheirCardsName()
    {
        const QString root = folder(QStringLiteral("ljud"));
        writeBytes(root + QStringLiteral("/kortvy.ini"),
                   cardFile(3, 2, 2, {"Katt.jpg", "", "katt", "", "hund.gif", "", "", "HUND", "", "", "", ""}));
        writeBytes(root + QStringLiteral("/Katt.mp3"), "gammal");
        const QString from = folder(QStringLiteral("inspelat"));
        writeBytes(from + QStringLiteral("/Hund.OGG"), "hund");
        writeBytes(from + QStringLiteral("/ny.wav"), "ny");
        writeBytes(from + QStringLiteral("/text.txt"), "");

        QList<cardsets::CardSound> cards = cardsets::cardSounds(root);
        QCOMPARE(cards.size(), 3);
        QCOMPARE(cards[0].ownSounds, QStringList{"Katt.mp3"});
        QCOMPARE((QStringList{cards[1].name, cards[1].soundBase, cards[2].name, cards[2].soundBase}),
                 (QStringList{"HUND", "hund", "kort 3", ""}));
        QCOMPARE(cardsets::addRecording(root, cards[1], from + QStringLiteral("/Hund.OGG"), false), QStringLiteral("hund.ogg"));
        QCOMPARE(readBytes(root + QStringLiteral("/hund.ogg")), QByteArray("hund"));
        for (const auto& [card, file] : {std::pair{0, "/ny.wav"}, {1, "/text.txt"}, {2, "/ny.wav"}})
            QVERIFY(!failureOf([&] { cardsets::addRecording(root, cards[card], from + QLatin1String(file), false); }).isEmpty());
        QCOMPARE(readBytes(root + QStringLiteral("/Katt.mp3")), QByteArray("gammal"));

        cardsets::addRecording(root, cards[0], from + QStringLiteral("/ny.wav"), true);
        cards = cardsets::cardSounds(root);
        QCOMPARE(cards[0].ownSounds, QStringList{"Katt.wav"});
        QCOMPARE(cards[0].heard.what, root + QStringLiteral("/Katt.wav"));
        QCOMPARE(readBytes(m_tmp.filePath(QStringLiteral("data/Trash/files/Katt.mp3"))), QByteArray("gammal"));
    }

    // A recording that cannot be written whole leaves nothing that would silence the card, and
    // a named pipe is refused before anything waits on it.
    void aRecordingComesInWholeOrNotAtAll()
    {
        const QString root = folder(QStringLiteral("helt"));
        writeBytes(root + QStringLiteral("/kortvy.ini"), cardFile(1, 2, 2, {"sol.jpg", "", "sol", ""}));
        const QString from = folder(QStringLiteral("helt-in"));
        writeBytes(from + QStringLiteral("/sol.wav"), QByteArray(4096, 'x'));
        QCOMPARE(::mkfifo(QFile::encodeName(from + QStringLiteral("/rör.wav")).constData(), 0600), 0);
        const cardsets::CardSound sun = cardsets::cardSounds(root).first();
        QVERIFY(failureOf([&] { cardsets::addRecording(root, sun, from + QStringLiteral("/rör.wav"), false); })
                    .contains(QStringLiteral("ingen ljudfil")));
        {
            FileSizeLimit full(100);
            QVERIFY(failureOf([&] { cardsets::addRecording(root, sun, from + QStringLiteral("/sol.wav"), false); })
                        .contains(QStringLiteral("kunde inte kopieras")));
        }
        QCOMPARE(QDir(root).entryList(QDir::Files), QStringList{"kortvy.ini"});
    }

    void renamingCopyingAndRemovingLoseNothing()
    {
        const QString root = folder(QStringLiteral("hantera"));
        writeBytes(root + QStringLiteral("/kortvy.ini"), cardFile(1, 2, 2, emptyStrings(1)));
        const QString djur = folder(QStringLiteral("hantera/Djur"));
        writeBytes(djur + QStringLiteral("/kortvy.ini"), cardFile(1, 0, 0, {"katt.jpg", "katt.jpg", "", ""}));
        writeBytes(djur + QStringLiteral("/katt.jpg"), "katt");
        folder(QStringLiteral("hantera/Frukt"));

        const QString copy = cardsets::copyCardSet(root, djur, QStringLiteral("Djur 2"));
        QCOMPARE(readBytes(copy + QStringLiteral("/katt.jpg")), QByteArray("katt"));
        QVERIFY(failureOf([&] { cardsets::copyCardSet(root, djur, QStringLiteral("Frukt")); })
                    .contains(QStringLiteral("redan en mapp som heter \"Frukt\"")));
        QVERIFY(failureOf([&] { cardsets::renameCardSet(root, djur, QStringLiteral("Frukt")); })
                    .contains(QStringLiteral("redan en mapp")));
        QVERIFY(!failureOf([&] { cardsets::renameCardSet(root, root, QStringLiteral("Annat")); }).isEmpty());
        const QString birds = cardsets::renameCardSet(root, cardsets::renameCardSet(root, djur, QStringLiteral("DJUR")),
                                                       QStringLiteral("Fåglar"));
        QCOMPARE(readBytes(birds + QStringLiteral("/katt.jpg")), QByteArray("katt"));
        QVERIFY(!QFileInfo::exists(djur));

        // A set from elsewhere keeps its name, made free with a number.
        const QString stick = folder(QStringLiteral("sticka/Fåglar"));
        writeBytes(stick + QStringLiteral("/kortvy.ini"), "från stickan");
        const QString copied = cardsets::copyIntoCardFolder(root, stick);
        QCOMPARE(copied, root + QStringLiteral("/Fåglar (2)"));
        QCOMPARE(readBytes(copied + QStringLiteral("/kortvy.ini")), QByteArray("från stickan"));
        QCOMPARE(readBytes(birds + QStringLiteral("/kortvy.ini")), readBytes(copy + QStringLiteral("/kortvy.ini")));

        // Removing puts the set in the trash, where it can be taken back.
        cardsets::removeCardSet(root, copy);
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY(QFileInfo(m_tmp.filePath(QStringLiteral("data/Trash/files/Djur 2/katt.jpg"))).isFile());
        QVERIFY(!failureOf([&] { cardsets::removeCardSet(root, root); }).isEmpty());
        QVERIFY(QFileInfo(root + QStringLiteral("/kortvy.ini")).isFile());
    }

    // After a game only the sets whose files changed are read again and get new strips; a
    // view is told row by row, so that it keeps its place.
    void theModelRereadsOnlyWhatChanged()
    {
        const QString root = folder(QStringLiteral("modell"));
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B")})
            writeBytes(root + "/" + name + "/kortvy.ini", cardFile(1, 0, 0, {"p.bmp", "p.bmp", "", ""}));
        writeBytes(root + "/C/kortvy.ini", cardFile(1, 0, 0, emptyStrings(4)));
        QAtomicInt strips = 0;
        cardsets::CardSetModel model(root, QSize(8, 2), [&](const QStringList&) {
            strips.fetchAndAddOrdered(1);
            return QImage(8, 2, QImage::Format_ARGB32);
        });
        model.reload();
        QVERIFY(model.waitForStrips(10000));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(strips.loadRelaxed(), 2);
        // A set without pictures keeps the strip's room, lined up with the others.
        QCOMPARE(model.index(2).data(Qt::DecorationRole).value<QImage>().size(), QSize(8, 2));
        QVERIFY(model.index(0).data(cardsets::CardSetModel::StripReadyRole).toBool());
        QCOMPARE(model.index(1).data().toString(), QStringLiteral("B\n1 kort – 1 kort saknar bild"));

        model.reload();
        QVERIFY(model.waitForStrips(10000));
        QCOMPARE(strips.loadRelaxed(), 2);

        QFile ini(root + "/B/kortvy.ini");
        QVERIFY(ini.open(QIODevice::ReadWrite));
        QVERIFY(ini.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        ini.close();
        model.reload();
        QVERIFY(model.waitForStrips(10000));
        QCOMPARE(strips.loadRelaxed(), 3);

        // A picture put in a set's folder changes the set, though its kortvy.ini did not.
        writePicture(root + "/A", "p.bmp", QSize(4, 4), Qt::red);
        const timespec later[2] = {{0, UTIME_OMIT}, {QDateTime::currentSecsSinceEpoch() + 10, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(root + "/A").constData(), later, 0), 0);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QVERIFY(QDir(root + "/C").removeRecursively());
        writeBytes(root + "/D/kortvy.ini", cardFile(1, 0, 0, emptyStrings(4)));
        model.reload();
        QCOMPARE(model.index(0).data().toString(), QStringLiteral("A\n1 kort"));
        QCOMPARE(model.index(2).data(cardsets::CardSetModel::FolderRole).toString(), root + "/D");
        QCOMPARE((QList<qsizetype>{reset.size(), inserted.size(), removed.size()}), (QList<qsizetype>{0, 1, 1}));
    }
};

QTEST_GUILESS_MAIN(CardSetsTest)
#include "tst_cardsets.moc"
