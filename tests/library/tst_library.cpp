#include "library/Library.h"

#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using cardsets::CardSetSummary;
using cardsets::Shelf;

class LibraryTest : public QObject {
    Q_OBJECT

private slots:
    void configNamesFoldersAdministratorFirst();
    void listsSetFoldersAndCardFilesReadOnly();
    void slowFolderIsToldUnreachableWithoutWaiting();
    void sharedRowsComeLastAndAreNotOwn();
};

void LibraryTest::configNamesFoldersAdministratorFirst()
{
    QTemporaryDir etc, home;
    writeBytes(etc.path() + "/kortvy/bibliotek.conf",
               "# skolans\n\nÅk 2 = /srv/kort/åk2\n/srv/kort/gemensamt/\n/srv/kort/x=y\n");
    qputenv("XDG_CONFIG_DIRS", etc.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    // The teacher's own file, last changed by hand without a newline at its end.
    writeBytes(home.path() + "/kortvy/bibliotek.conf", "/home/lärare/delat");
    library::addOwnLibrary("/srv/kort/åk2");
    library::addOwnLibrary("/home/lärare/mer/");
    const QList<library::Library> found = library::readLibraries();
    QStringList seen;
    for (const library::Library& one : found)
        seen << one.name + "|" + one.folder;
    QCOMPARE(seen, QStringList({"Åk 2|/srv/kort/åk2", "gemensamt|/srv/kort/gemensamt", "x=y|/srv/kort/x=y",
                                "delat|/home/lärare/delat", "mer|/home/lärare/mer"}));
}

void LibraryTest::listsSetFoldersAndCardFilesReadOnly()
{
    QTemporaryDir shelf;
    writeBytes(shelf.path() + "/Ödlor/kortvy.ini", cardFile(1, 0, 1, {"", "", "", "ödla"}));
    writeBytes(shelf.path() + "/Djur.kortvy", "PK");
    writeBytes(shelf.path() + "/Tom/annat.txt", "x");
    writeBytes(shelf.path() + "/läs mig.txt", "x");
    const QList<CardSetSummary> sets = library::listLibrary(shelf.path());
    QCOMPARE(sets.size(), 2);
    QCOMPARE(sets[0].name, QString("Djur"));
    QCOMPARE(sets[0].folder, shelf.path() + "/Djur.kortvy");
    QVERIFY(sets[0].playable());
    QCOMPARE(sets[1].name, QString("Ödlor"));
    QCOMPARE(sets[1].count, 1);
    QVERIFY(!sets[0].writable && !sets[1].writable);
    QVERIFY(!failureOf([] { library::listLibrary("/finns/inte"); }).isEmpty());
}

// A folder that does not answer is told within the limit, the window's thread never waits for
// it, and what it finds once it answers is dropped.
void LibraryTest::slowFolderIsToldUnreachableWithoutWaiting()
{
    auto release = std::make_shared<QSemaphore>();
    library::LibraryScan scan(nullptr, 300);
    scan.setLister(
        [release](const QString& folder) -> QList<CardSetSummary> {
            if (folder == "/hänger")
                release->acquire();
            if (folder == "/borta")
                throw std::runtime_error("borta");
            CardSetSummary set;
            set.folder = folder + "/Djur";
            set.name = "Djur";
            return {set};
        },
        [](const QString& folder) { return folder == "/snabb"; });
    QSignalSpy told(&scan, &library::LibraryScan::shelfFound);
    QElapsedTimer timer;
    timer.start();
    scan.scan({{"Hänger", "/hänger"}, {"Snabb", "/snabb"}, {"Borta", "/borta"}});
    QVERIFY(timer.elapsed() < 100);
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 2, 250);
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 3, 1000);
    QMap<int, Shelf> shelves;
    for (const QList<QVariant>& one : told)
        shelves[one[0].toInt()] = one[1].value<Shelf>();
    QVERIFY(!shelves[0].reachable);
    QCOMPARE(shelves[0].name, QString("Hänger"));
    QVERIFY(shelves[1].reachable && shelves[1].writable);
    QCOMPARE(shelves[1].sets.size(), 1);
    QVERIFY(!shelves[2].reachable);
    release->release();
    QTest::qWait(100);
    QCOMPARE(told.size(), 3);
}

void LibraryTest::sharedRowsComeLastAndAreNotOwn()
{
    QTemporaryDir root, shelf;
    writeBytes(root.path() + "/Mina/kortvy.ini", cardFile(1, 0, 1, {"", "", "", "a"}));
    writeBytes(shelf.path() + "/Delad/kortvy.ini", cardFile(2, 0, 1, {"", "", "", "a", "", "", "", "b"}));
    cardsets::CardSetModel model(root.path(), {40, 30}, [](const QStringList&) { return QImage(); });
    model.reload();
    model.setShelf(1, {"Skolan", shelf.path(), true, false, library::listLibrary(shelf.path())});
    model.setShelf(0, {"Nätet", "/srv/nätet", false, false, {}});
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(model.isOwn(0) && !model.isShared(0));
    QCOMPARE(model.at(1).name, QString("Nätet"));
    QVERIFY(!model.at(1).playable());
    QCOMPARE(model.data(model.index(1)).toString(), QString("Nätet\nKan inte nås just nu"));
    QVERIFY(model.data(model.index(2)).toString().startsWith("Delad\nSkolan – 2 kort"));
    QVERIFY(model.isShared(2) && !model.isOwn(2));
    // Reading the card folder again keeps the shelves as they were found.
    model.reload();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.shelfOf(2), QString("Skolan"));
}

QTEST_GUILESS_MAIN(LibraryTest)
#include "tst_library.moc"
