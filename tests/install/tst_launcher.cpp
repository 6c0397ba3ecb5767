// kortvy-start and its card-folder logic: the first start of a new user, a user who already
// has cards, a folder that cannot be made, and the whole launcher started as a desktop
// entry or a file manager starts it.
#include "cardsets/CardFolder.h"
#include "launcher/Launch.h"

#include "runtime/Error.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

namespace {

// A small first card set: a kortvy.ini and two pictures, one with a Swedish letter in its name.
const QList<QPair<QString, QByteArray>> kCards = {
    {QStringLiteral("kortvy.ini"), QByteArray("[Kort]\r\nAntal=3\r\n")},
    {QStringLiteral("sol.gif"), QByteArray("GIF89a-sol")},
    {QStringLiteral("äpple.jpg"), QByteArray("\xff\xd8\xff-äpple")},
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<saknas>");
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Read-only, as a package installs it.
void makeFirstSet(const QString& folder)
{
    QVERIFY(QDir().mkpath(folder));
    for (const auto& [name, bytes] : kCards) {
        writeFile(folder + QLatin1Char('/') + name, bytes);
        QVERIFY(QFile::setPermissions(folder + QLatin1Char('/') + name,
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
}

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp_;
    QString firstSet_;

    QString home(const QString& name)
    {
        const QString path = tmp_.filePath(name);
        QDir().mkpath(path);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        firstSet_ = tmp_.filePath(QStringLiteral("share/kortvy/kortvy-forsta"));
        makeFirstSet(firstSet_);
    }

    void newUserGetsAWritableCopyOfTheFirstSet()
    {
        const QString folder = cardsets::cardFolderIn(home(QStringLiteral("ny")));
        QCOMPARE(cardsets::prepareCardFolder(folder, firstSet_), cardsets::FolderState::Created);

        QStringList names;
        for (const auto& [name, bytes] : kCards) {
            names << name;
            const QString copy = folder + QLatin1Char('/') + name;
            QCOMPARE(readFile(copy), bytes);
            QVERIFY2(QFileInfo(copy).permissions().testFlag(QFile::WriteOwner), qPrintable(copy));
        }
        names.sort();
        // Nothing else is left beside or inside it, such as the folder it was put together in.
        QCOMPARE(entries(folder), names);
        QCOMPARE(entries(QFileInfo(folder).absolutePath()), QStringList{QStringLiteral("Kortvy")});
        QVERIFY(QFileInfo(folder).permissions().testFlag(QFile::WriteOwner));
    }

    void existingCardsAreNeverTouched()
    {
        const QString folder = cardsets::cardFolderIn(home(QStringLiteral("befintlig")));
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/kortvy.ini"), "lärarens egen kortlek");
        writeFile(folder + QStringLiteral("/hund.bmp"), "BM-hund");
        const QStringList before = entries(folder);

        QCOMPARE(cardsets::prepareCardFolder(folder, firstSet_), cardsets::FolderState::Existing);
        QCOMPARE(readFile(folder + QStringLiteral("/kortvy.ini")), QByteArray("lärarens egen kortlek"));
        QCOMPARE(readFile(folder + QStringLiteral("/hund.bmp")), QByteArray("BM-hund"));
        // Pictures the teacher removed do not come back either.
        QCOMPARE(entries(folder), before);

        // A second start of a new user finds the folder the first one made.
        QCOMPARE(cardsets::prepareCardFolder(folder, firstSet_), cardsets::FolderState::Existing);
    }

    void anEmptyFolderIsFilled()
    {
        const QString folder = cardsets::cardFolderIn(home(QStringLiteral("tom")));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(cardsets::prepareCardFolder(folder, firstSet_), cardsets::FolderState::Filled);
        QCOMPARE(readFile(folder + QStringLiteral("/kortvy.ini")), kCards.at(0).second);
        QCOMPARE(entries(folder).size(), kCards.size());
    }

    void folderThatCannotBeMadeIsAClearError_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("firstSet");
        QTest::addColumn<QString>("expected");
        // A regular file in the way stops even root.
        const QString file = tmp_.filePath(QStringLiteral("en-fil"));
        writeFile(file, "inte en mapp");
        QTest::newRow("parent is a file") << file + QStringLiteral("/Kortvy") << firstSet_
                                          << QStringLiteral("Mappen för dina kort kunde inte skapas:\n%1\n\n"
                                                            "En del av sökvägen är en fil, inte en mapp.")
                                                 .arg(file + QStringLiteral("/Kortvy"));
        QTest::newRow("a file has the name") << file << firstSet_
                                             << QStringLiteral("Det finns redan en fil med det namnet");
        QTest::newRow("home does not exist") << tmp_.filePath(QStringLiteral("saknas/Kortvy")) << firstSet_
                                             << QStringLiteral("En mapp på vägen dit finns inte.");
        QTest::newRow("no first card set") << tmp_.filePath(QStringLiteral("utan/Kortvy"))
                                           << tmp_.filePath(QStringLiteral("share/ingen"))
                                           << QStringLiteral("Den första kortleken hittades inte");
    }
    void folderThatCannotBeMadeIsAClearError()
    {
        QFETCH(QString, folder);
        QFETCH(QString, firstSet);
        QFETCH(QString, expected);
        QDir().mkpath(tmp_.filePath(QStringLiteral("utan")));
        try {
            cardsets::prepareCardFolder(folder, firstSet);
            QFAIL("no error");
        } catch (const runtime::Error& e) {
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QFileInfo(folder).fileName()), qPrintable(e.message()));
        }
        QVERIFY(!QFileInfo(folder).isDir());
        if (QFileInfo(folder).absoluteDir().exists())
            QVERIFY(!entries(QFileInfo(folder).absolutePath()).join(QLatin1Char(' ')).contains(QStringLiteral(".ny")));
    }

    void failedCopyLeavesNoHalfFolder()
    {
        // A card that opens but cannot be read: the start of this process's own memory,
        // which is unmapped. Root can read any ordinary file, so nothing plainer would do.
        const QString broken = tmp_.filePath(QStringLiteral("trasig"));
        makeFirstSet(broken);
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), broken + QStringLiteral("/z-trasig.gif")));
        const QString home = this->home(QStringLiteral("trasig-hem"));
        const QString folder = cardsets::cardFolderIn(home);
        try {
            cardsets::prepareCardFolder(folder, broken);
            QFAIL("no error");
        } catch (const runtime::Error& e) {
            QVERIFY2(e.message().contains(QStringLiteral("z-trasig.gif kunde inte kopieras")), qPrintable(e.message()));
            QVERIFY2(e.message().endsWith(QStringLiteral("Ett fel uppstod när filen lästes eller skrevs.")),
                     qPrintable(e.message()));
        }
        QCOMPARE(entries(home), QStringList());
    }

    void theProgramsMustLieBesideIt()
    {
        const QString failure =
            failureOf([&] { launcher::programPath(QStringLiteral("Kortvy"), tmp_.filePath("tom-bin")); });
        QVERIFY2(failure.contains(QStringLiteral("Programmet Kortvy kunde inte startas")), qPrintable(failure));
    }

    // The real kortvy-start in an installed layout, with stand-ins for the programs that
    // tell where they were started, with what, and at which scale.
    void startsTheProgramInsideTheCardSet()
    {
        const QString bin = tmp_.filePath(QStringLiteral("inst/bin"));
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QFile::copy(QStringLiteral(KORTVY_START), bin + QStringLiteral("/kortvy-start")));
        QVERIFY(QFile::setPermissions(bin + QStringLiteral("/kortvy-start"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        makeFirstSet(launcher::firstCardSetFrom(bin));
        for (const QString& name : {QStringLiteral("Kortvy"), QStringLiteral("Kortvyadm")}) {
            const QString program = bin + QLatin1Char('/') + name;
            writeFile(program, "#!/bin/sh\n{ echo \"$0\"; pwd; echo \"$#\"; echo \"${QT_SCALE_FACTOR-ingen}\"; }"
                               " > \"$HOME/" + name.toUtf8() + ".txt\"\n");
            QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        }

        const QString home = this->home(QStringLiteral("hela"));
        const QString cards = cardsets::cardFolderIn(home);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        const auto start = [&](const QStringList& arguments, QProcess& process) {
            process.setProcessEnvironment(env);
            process.setWorkingDirectory(tmp_.path());
            process.start(bin + QStringLiteral("/kortvy-start"), arguments);
        };
        const auto told = [&](const QString& name) {
            return readFile(home + QLatin1Char('/') + name + QStringLiteral(".txt")).split('\n').mid(0, 4);
        };

        // A new user's game plays the one card set at once, scaled to the (offscreen,
        // 800 x 600) screen; Kortvyadm on a set given by its kortvy.ini keeps the desktop's scale.
        QProcess game;
        start({QStringLiteral("Kortvy")}, game);
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitCode(), 0);
        QCOMPARE(told(QStringLiteral("Kortvy")),
                 (QList<QByteArray>{QFile::encodeName(bin + "/Kortvy"), QFile::encodeName(cards), "0", "1"}));
        QCOMPARE(readFile(cards + QStringLiteral("/äpple.jpg")), kCards.at(2).second);

        makeFirstSet(cards + QStringLiteral("/Djur"));
        QProcess edit;
        start({QStringLiteral("Kortvyadm"), cards + QStringLiteral("/Djur/kortvy.ini")}, edit);
        QVERIFY(edit.waitForFinished(20000));
        QCOMPARE(edit.exitCode(), 0);
        QCOMPARE(told(QStringLiteral("Kortvyadm")),
                 (QList<QByteArray>{QFile::encodeName(bin + QStringLiteral("/Kortvyadm")),
                                    QFile::encodeName(cards + QStringLiteral("/Djur")), "0", "ingen"}));

        // With two sets the game, and Kortvyadm always, show the list and start nothing yet.
        QFile::remove(home + QStringLiteral("/Kortvy.txt"));
        QFile::remove(home + QStringLiteral("/Kortvyadm.txt"));
        QProcess chooseGame, chooseEdit;
        start({QStringLiteral("Kortvy")}, chooseGame);
        start({QStringLiteral("Kortvyadm")}, chooseEdit);
        QVERIFY(!chooseGame.waitForFinished(1500) && !chooseEdit.waitForFinished(10));
        chooseGame.kill();
        chooseEdit.kill();
        QVERIFY(chooseGame.waitForFinished() && chooseEdit.waitForFinished());
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/Kortvy.txt")));
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/Kortvyadm.txt")));
    }

    // A close request ends the list at once, even while a strip is being made: here one that
    // never is, as its picture's thumbnail entry is a pipe that nobody writes to.
    void aClosedListEndsThoughAStripIsBeingMade()
    {
        const QString home = this->home(QStringLiteral("stäng"));
        const QString sun = writePicture(cardsets::cardFolderIn(home), QStringLiteral("sol.bmp"), QSize(8, 8), Qt::yellow);
        writeBytes(cardsets::cardFolderIn(home) + QStringLiteral("/kortvy.ini"), cardFile(1, 0, 0, {"sol.bmp", "", "", ""}));
        const QString entries = home + QStringLiteral("/.cache/thumbnails/normal/");
        QVERIFY(QDir().mkpath(entries));
        const QByteArray md5 = QCryptographicHash::hash(QUrl::fromLocalFile(sun).toEncoded(), QCryptographicHash::Md5);
        QCOMPARE(::mkfifo(QFile::encodeName(entries + md5.toHex() + ".png").constData(), 0600), 0);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        ProgramRun list(tmp_.filePath(QStringLiteral("inst/bin/kortvy-start")), tmp_.path(), {"Kortvyadm"}, env);
        QVERIFY(list.requestClose(20000));
        QVERIFY(list.waitForEnd(5000));
        QVERIFY(!list.crashed() && list.exitCode() == 0);
    }

    // The list of card sets starts the teacher's programs beside itself.
    void startsAChildInTheCardSet()
    {
        const QString home = tmp_.filePath(QStringLiteral("barn"));
        const QString game = tmp_.filePath(QStringLiteral("inst/bin/Kortvy"));
        QVERIFY(QDir().mkpath(home));
        const QByteArray before = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home));
        std::unique_ptr<QProcess> child(launcher::startIn(game, home, QStringLiteral("1.75"), nullptr));
        qputenv("HOME", before);
        QVERIFY(child->waitForFinished(10000));
        QCOMPARE(readFile(home + QStringLiteral("/Kortvy.txt")).split('\n').mid(1, 3),
                 (QList<QByteArray>{QFile::encodeName(home), "0", "1.75"}));
        const QString failure = failureOf([&] { launcher::startIn(game, home + "/saknas", {}, nullptr); });
        QVERIFY2(failure.contains(QStringLiteral("saknas finns inte")), qPrintable(failure));
    }

    void failedStartSaysWhyAndFails()
    {
        const QString file = tmp_.filePath(QStringLiteral("hem-som-fil"));
        writeFile(file, "x");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), file);
        const QString bin = tmp_.filePath(QStringLiteral("inst/bin"));
        for (const QStringList& args : {QStringList{"Kortvy"}, QStringList{}, QStringList{"bash"}}) {
            // Started as from the menu: the message in a box and on standard error, status 1.
            ProgramRun start(bin + QStringLiteral("/kortvy-start"), tmp_.path(), args, env);
            QVERIFY(start.waitForEnd(20000));
            QVERIFY(!start.crashed());
            QCOMPARE(start.exitCode(), 1);
            QCOMPARE(start.messageBoxes(), 1);
            const QString said = start.standardError();
            QVERIFY2(said.startsWith(QStringLiteral("kortvy-start: ")), qPrintable(said));
            QVERIFY2(said.contains(args == QStringList{"Kortvy"}
                                       ? QStringLiteral("Mappen för dina kort kunde inte skapas")
                                       : QStringLiteral("Användning: kortvy-start Kortvy")),
                     qPrintable(said));
        }
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
