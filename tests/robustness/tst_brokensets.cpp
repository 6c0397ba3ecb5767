// Broken card sets, as a teacher's folder may hold them after copying, hand editing and
// other editors: each one started in both programs, once through the load handler in this
// process and once as the real program, which must play (or open) or end with the same
// clear message and status 1. Neither program may change kortvy.ini or leave anything behind.

#include "tests/robustness/BrokenPictures.h"
#include "tests/robustness/RobustnessSupport.h"
#include "tests/support/ProgramRun.h"

#include "app/Program.h"
#include "forms/Panel.h"
#include "forms/PictureBox.h"
#include "game/GameWindow.h"
#include "settings/Windows1252.h"
#include "supervisor/SupervisorWindow.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace robust;

namespace {

// How long a started program must keep running to count as playing.
constexpr int kSettleMs = KORTVY_SETTLE_MS;

QByteArray withLine(QByteArray ini, int line, const QByteArray& value)
{
    QList<QByteArray> lines = ini.split('\n');
    lines[line - 1] = value + '\r';
    return lines.join('\n');
}

QByteArray withoutLastLine(const QByteArray& ini)
{
    return ini.left(ini.lastIndexOf("\r\n", ini.size() - 3) + 2);
}

// A real JPEG with fine detail, so that most of its bytes are picture data.
QByteArray noisyJpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// The pictures the broken sets name besides the ordinary ones, made when a set names them.
void specialPictures(const CardFolder& folder, const QByteArray& ini)
{
    auto named = [&](const char* name) { return ini.contains(name); };
    if (named("mapp.jpg"))
        QDir(folder.path()).mkdir(QStringLiteral("mapp.jpg"));
    if (named("text.jpg"))
        writeBytes(filePath(folder, QStringLiteral("text.jpg")), "Det här är ingen bild.\r\n");
    if (named("avklippt.jpg")) {
        const QByteArray whole = noisyJpeg();
        writeBytes(filePath(folder, QStringLiteral("avklippt.jpg")), whole.left(whole.size() * 6 / 10));
    }
    if (named("huvudlos.jpg"))
        writeBytes(filePath(folder, QStringLiteral("huvudlos.jpg")), noisyJpeg().left(100));
    if (named("ror.jpg"))
        QVERIFY(::mkfifo(QFile::encodeName(filePath(folder, QStringLiteral("ror.jpg"))).constData(), 0600) == 0);
    if (named("tom.gif"))
        writeBytes(filePath(folder, QStringLiteral("tom.gif")), QByteArray());
    if (named("stor.jpg"))
        writeBytes(filePath(folder, QStringLiteral("stor.jpg")), greyJpeg({20000, 20000}));
    if (named("progressiv.jpg"))
        writeBytes(filePath(folder, QStringLiteral("progressiv.jpg")), greyJpeg({20000, 20000}, true));
    if (named("jatte.gif"))
        writeBytes(filePath(folder, QStringLiteral("jatte.gif")), gifClaiming({65535, 65535}));
}

// What a folder holds, kortvy.ini byte for byte, to compare before and after.
QByteArray snapshot(const CardFolder& folder)
{
    QByteArray state = folder.entries().join(u'/').toUtf8();
    const QFileInfo ini(folder.iniPath());
    state += ini.isDir() ? QByteArray("\n<mapp>") : "\n" + folder.ini();
    return state;
}

long peakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

template <class Form>
QString loadFailure(Form& form)
{
    try {
        form.load();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

void checkMessage(const QString& message, const QString& expected)
{
    if (expected.isEmpty()) {
        QVERIFY2(message.isEmpty(), qPrintable(QStringLiteral("expected to start, failed with: ") + message));
        return;
    }
    QVERIFY2(!message.isEmpty(), "started, but should have failed");
    QVERIFY2(message.startsWith(QStringLiteral("Fel i inställningsfilen")) || message.startsWith(QStringLiteral("Bilden")),
             qPrintable(message));
    for (const QString& part : expected.split(u'|'))
        QVERIFY2(message.contains(part), qPrintable(QStringLiteral("\"%1\" not in: %2").arg(part, message)));
}

} // namespace

class BrokenSetsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    void hugePicturesTakeLittleMemory();
    void startUp_data();
    void startUp();
};

// A 20000 × 20000 picture would take 1.6 GB decoded at full size: the baseline JPEG is
// scaled while it is decoded, the progressive one is refused before its decoder takes more
// than the limit, and so is a GIF whose screen claims 65535 × 65535.
void BrokenSetsTest::hugePicturesTakeLittleMemory()
{
    CardFolder folder;
    pictures(folder, 3);
    specialPictures(folder, "stor.jpg progressiv.jpg jatte.gif");
    const long before = peakMemoryMB();

    QElapsedTimer timer;
    timer.start();
    folder.writeIni(withLine(cardSet(QStringLiteral("3"), 3, 0, 0), 4, "\"stor.jpg\""));
    {
        game::GameWindow form;
        QCOMPARE(loadFailure(form), QString());
        auto* first = control<forms::PictureBox>(form, QStringLiteral("Image1(0)"));
        QVERIFY(first->isDecoded());
        QCOMPARE(first->decodedImage().size(), control<forms::PictureBox>(form, QStringLiteral("Image1(1)"))->decodedImage().size());
        QVERIFY(first->decodedImage().width() < 400);
    }
    for (const char* name : {"progressiv.jpg", "jatte.gif"}) {
        folder.writeIni(withLine(cardSet(QStringLiteral("3"), 3, 0, 0), 5, QByteArray("\"") + name + "\""));
        game::GameWindow form;
        const QString message = loadFailure(form);
        QVERIFY2(message.contains(QStringLiteral("kort 1, undre raden")) && message.contains(QLatin1String(name))
                     && message.contains(QStringLiteral("är för stor för att kunna visas")),
                 qPrintable(message));
    }
    const long grown = peakMemoryMB() - before;
    qInfo("peak memory grew by %ld MB in %lld ms", grown, timer.elapsed());
    QVERIFY2(grown < 200, qPrintable(QString::number(grown)));
}

void BrokenSetsTest::startUp_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("setup");       // "" a file, "none" no kortvy.ini, "folder" a folder of that name
    QTest::addColumn<QString>("game");        // "" plays; else parts of its error message, split by '|'
    QTest::addColumn<QString>("supervisor");  // "" opens; else as above
    QTest::addColumn<int>("gameCards");       // cards the game plays with
    QTest::addColumn<int>("rows");            // rows the supervisor's upper text list gets

    const QByteArray three = cardSet(QStringLiteral("3"), 3);
    const QByteArray five = cardSet(QStringLiteral("5"), 5);
    const QByteArray ten = cardSet(QStringLiteral("10"), 10);
    auto count = [](const QString& line, int cards) { return cardSet(line, cards); };
    auto both = [](const char* name, const QByteArray& ini, const QString& error) {
        QTest::newRow(name) << ini << QString() << error << error << 0 << 0;
    };
    auto gameOnly = [](const char* name, const QByteArray& ini, const QString& error, int rows) {
        QTest::newRow(name) << ini << QString() << error << QString() << 0 << rows;
    };
    const QString shortFile = QStringLiteral("filen tar slut här, men fler värden behövs");

    QTest::newRow("well-formed, 5 cards") << five << QString() << QString() << QString() << 5 << 5;
    QTest::newRow("no kortvy.ini") << QByteArray() << QStringLiteral("none") << QStringLiteral("filen finns inte")
                                   << QStringLiteral("filen finns inte") << 0 << 0;
    QTest::newRow("kortvy.ini is a folder") << QByteArray() << QStringLiteral("folder")
                                            << QStringLiteral("det är en mapp") << QStringLiteral("det är en mapp") << 0 << 0;
    both("empty file", QByteArray(), QStringLiteral("rad 1: ") + shortFile);
    both("count line only", "3\r\n", QStringLiteral("rad 2: ") + shortFile);
    both("3 cards, one line short", withoutLastLine(three), QStringLiteral("rad 15: %1|bara 14 rader").arg(shortFile));
    both("5 cards, one line short", withoutLastLine(five), QStringLiteral("rad 23: %1|bara 22 rader").arg(shortFile));
    both("10 cards, one line short", withoutLastLine(ten), QStringLiteral("rad 43: %1|bara 42 rader").arg(shortFile));

    const QString notNumber = QStringLiteral("rad 1: raden ska innehålla ett heltal men innehåller \"%1\"");
    both("count abc", count(QStringLiteral("abc"), 5), notNumber.arg(QStringLiteral("abc")));
    both("count 5x", count(QStringLiteral("5x"), 5), notNumber.arg(QStringLiteral("5x")));
    both("count empty", count(QString(), 5), QStringLiteral("rad 1: raden ska innehålla ett heltal men är tom"));
    QTest::newRow("count \" 5\"") << count(QStringLiteral(" 5"), 5) << QString() << QString() << QString() << 5 << 5;
    both("count 99999", count(QStringLiteral("99999"), 5),
         QStringLiteral("rad 1: talet 99999 ligger utanför det tillåtna området -32768 till 32767"));
    const QString refused = QStringLiteral("rad 1: antalet kort är %1, men spelet kan bara visa 1 till 10 kort");
    gameOnly("count -1", count(QStringLiteral("-1"), 5), refused.arg(-1), 0);
    gameOnly("count 0", count(QStringLiteral("0"), 5), refused.arg(0), 0);
    gameOnly("count 11", count(QStringLiteral("11"), 11), refused.arg(11), 11);
    QTest::newRow("count -32768") << count(QStringLiteral("-32768"), 5) << QString() << refused.arg(-32768)
                                  << QStringLiteral("rad 1: antalet kort är -32768, och så många kort kan inte läsas") << 0 << 0;

    both("type x", withLine(three, 2, "x"), QStringLiteral("rad 2: raden ska innehålla ett heltal men innehåller \"x\""));
    both("unterminated quote", withLine(three, 8, "\"ord 1"),
         QStringLiteral("rad 8: texten börjar med citattecken men raden tar slut innan texten avslutas med ett citattecken"));
    QTest::newRow("UTF-8 byte order mark") << "\xEF\xBB\xBF" + three << QString() << QString() << QString() << 3 << 3;
    both("UTF-16", "\xFF\xFE" + three, QStringLiteral("rad 1: filen är sparad som Unicode (UTF-16)|Spara den som UTF-8"));
    both("NUL bytes", withLine(three, 10, QByteArray("\"or\0d 1\"", 8)), QStringLiteral("rad 10: |NUL-tecken"));
    QTest::newRow("CR-only line ends") << QByteArray(three).replace("\r\n", "\r") << QString() << QString() << QString() << 3 << 3;
    const QByteArray longText = QByteArray("\"") + QByteArray("lång text ").repeated(10000) + "\"";
    QTest::newRow("text of 100 000 characters")
        << withLine(three, 6, settings::encodeWindows1252(QString::fromUtf8(longText))) << QString() << QString() << QString() << 3 << 3;
    both("line of 2 000 000 characters", withLine(three, 6, QByteArray(2000000, 'a')),
         QStringLiteral("rad 6: värdet är längre än 1048576 tecken"));
    QByteArray garbage(4096, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char& c : garbage)
        c = char(random.bounded(256));
    garbage[0] = '\x9c';
    both("binary garbage", garbage, QStringLiteral("rad 1: "));

    const QString picture = QStringLiteral("Bilden till kort %1, %2 raden, går inte att visa. Bilden \"%3\"");
    gameOnly("picture that is a folder", withLine(three, 4, "\"mapp.jpg\""),
             picture.arg(1).arg(QStringLiteral("övre"), QStringLiteral("mapp.jpg")) + QStringLiteral("|är en mapp, inte en bildfil"), 3);
    gameOnly("file that is no picture", withLine(three, 9, "\"text.jpg\""),
             picture.arg(2).arg(QStringLiteral("undre"), QStringLiteral("text.jpg"))
                 + QStringLiteral("|filen är ingen BMP-, GIF- eller JPEG-bild eller är skadad"), 3);
    // Cut inside its picture data, a JPEG still shows what it holds (the rest grey), as
    // picture viewers show it; cut inside its header it is no picture.
    QTest::newRow("JPEG cut in its picture data") << withLine(three, 12, "\"avklippt.jpg\"") << QString() << QString()
                                                  << QString() << 3 << 3;
    gameOnly("JPEG cut in its header", withLine(three, 12, "\"huvudlos.jpg\""),
             picture.arg(3).arg(QStringLiteral("övre"), QStringLiteral("huvudlos.jpg")) + QStringLiteral("|ingen BMP-, GIF- eller JPEG-bild"), 3);
    // A named pipe would keep a reader waiting for ever.
    gameOnly("picture that is a named pipe", withLine(three, 9, "\"ror.jpg\""),
             picture.arg(2).arg(QStringLiteral("undre"), QStringLiteral("ror.jpg")) + QStringLiteral("|ingen BMP-, GIF- eller JPEG-bild"), 3);
    gameOnly("0-byte GIF", withLine(three, 5, "\"tom.gif\""),
             picture.arg(1).arg(QStringLiteral("undre"), QStringLiteral("tom.gif")) + QStringLiteral("|ingen BMP-, GIF- eller JPEG-bild"), 3);
    QTest::newRow("JPEG of 20000 x 20000") << withLine(three, 8, "\"stor.jpg\"") << QString() << QString() << QString() << 3 << 3;
    const QString tooLarge = QStringLiteral("är för stor för att kunna visas (%1 × %1 bildpunkter)");
    gameOnly("progressive JPEG of 20000 x 20000", withLine(three, 8, "\"progressiv.jpg\""),
             picture.arg(2).arg(QStringLiteral("övre"), QStringLiteral("progressiv.jpg")) + u'|' + tooLarge.arg(20000), 3);
    gameOnly("GIF claiming 65535 x 65535", withLine(three, 13, "\"jatte.gif\""),
             picture.arg(3).arg(QStringLiteral("undre"), QStringLiteral("jatte.gif")) + u'|' + tooLarge.arg(65535), 3);
}

void BrokenSetsTest::startUp()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, setup);
    QFETCH(QString, game);
    QFETCH(QString, supervisor);
    QFETCH(int, gameCards);
    QFETCH(int, rows);

    CardFolder folder;
    pictures(folder, 11);
    specialPictures(folder, ini);
    if (setup.isEmpty())
        folder.writeIni(ini);
    else if (setup == QLatin1String("folder"))
        QDir(folder.path()).mkdir(QStringLiteral("kortvy.ini"));
    const QByteArray before = snapshot(folder);

    // The load handlers, in this process.
    QString gameMessage;
    {
        game::GameWindow form;
        gameMessage = loadFailure(form);
        checkMessage(gameMessage, game);
        if (QTest::currentTestFailed())
            return;
        if (game.isEmpty()) {
            QCOMPARE(int(form.exercise().count()), gameCards);
            for (int i = 0; i < gameCards; ++i) {
                QVERIFY(!control<forms::Panel>(form, QStringLiteral("Panel3D3(%1)").arg(i))->caption().isEmpty());
                QVERIFY(!control<forms::Panel>(form, QStringLiteral("Panel3D4(%1)").arg(form.exercise().slotOf(i)))->caption().isEmpty());
            }
        }
    }
    QString supervisorMessage;
    {
        supervisor::SupervisorWindow form;
        supervisorMessage = loadFailure(form);
        checkMessage(supervisorMessage, supervisor);
        if (QTest::currentTestFailed())
            return;
        if (supervisor.isEmpty()) {
            const QStringList texts = form.editor().rows(editor::List::UpperTexts);
            QCOMPARE(texts.size(), rows);
            if (rows > 0)
                QVERIFY(texts[0].startsWith(QStringLiteral("ord 0")) || texts[0].startsWith(QStringLiteral("lång")));
        }
    }
    QCOMPARE(snapshot(folder), before);

    // The programs themselves, both at once, as a user starts them: a failure shows its
    // message in a box and on standard error, and ends with status 1.
    const QString expected[2] = {game, supervisor};
    const QString messages[2] = {gameMessage, supervisorMessage};
    ProgramRun gameRun(QStringLiteral(KORTVY_GAME_PROGRAM), folder.path());
    ProgramRun supervisorRun(QStringLiteral(KORTVYADM_PROGRAM), folder.path());
    ProgramRun* runs[2] = {&gameRun, &supervisorRun};
    QElapsedTimer clock;
    clock.start();
    for (int i : {0, 1}) {
        ProgramRun& run = *runs[i];
        if (expected[i].isEmpty())
            continue;
        QVERIFY(run.waitForEnd(30000));
        QVERIFY(!run.crashed());
        QCOMPARE(run.exitCode(), 1);
        QCOMPARE(run.messageBoxes(), 1);
        QVERIFY2(run.standardError().contains(messages[i] + u'\n'), qPrintable(run.standardError()));
    }
    for (int i : {0, 1}) {
        if (!expected[i].isEmpty())
            continue;
        const int left = int(qMax<qint64>(0, kSettleMs - clock.elapsed()));
        QVERIFY2(!runs[i]->waitForEnd(left), qPrintable(QStringLiteral("ended with %1: %2")
                                                            .arg(runs[i]->exitCode()).arg(runs[i]->standardError())));
        QCOMPARE(runs[i]->messageBoxes(), 0);
    }
    QCOMPARE(snapshot(folder), before);
}

QTEST_MAIN(BrokenSetsTest)
#include "tst_brokensets.moc"
