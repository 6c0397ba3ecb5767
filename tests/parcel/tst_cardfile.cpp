// Card files: what the reader refuses from a stranger, and that a set comes back byte for
// byte. Every archive is made here, hostile ones by hand.
#include "parcel/CardFile.h"

#include "runtime/Error.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

#include <sys/stat.h>
#include <zip.h>

namespace {

struct Part {
    QByteArray name;
    QByteArray bytes;
    bool store = false;
    quint32 unixMode = 0; // 0: left as the library writes it
};

QByteArray zipOf(const QList<Part>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = zip_open_from_source(out, ZIP_TRUNCATE, &error);
    zip_source_keep(out);
    for (const Part& part : parts) {
        zip_source_t* source = zip_source_buffer(zip, part.bytes.constData(), zip_uint64_t(part.bytes.size()), 0);
        const zip_int64_t index = zip_file_add(zip, part.name.constData(), source, ZIP_FL_ENC_RAW);
        zip_set_file_compression(zip, zip_uint64_t(index), part.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        if (part.unixMode)
            zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, part.unixMode << 16);
    }
    zip_close(zip);
    zip_stat_t stat;
    zip_source_stat(out, &stat);
    QByteArray bytes(qsizetype(stat.size), '\0');
    zip_source_open(out);
    zip_source_read(out, bytes.data(), stat.size);
    zip_source_close(out);
    zip_source_free(out);
    return bytes;
}

const Part kType{"mimetype", "application/x-kortvy+zip", true};
const QByteArray kIni = cardFile(1, 0, 1, {"katt.bmp", "", "", "katt"});

QByteArray picture()
{
    QTemporaryDir dir;
    return readBytes(writePicture(dir.path(), QStringLiteral("p.bmp"), QSize(8, 6), Qt::red));
}

// Replaces every occurrence, in the local headers and the central directory alike.
QByteArray patched(QByteArray bytes, const QByteArray& from, const QByteArray& to)
{
    return bytes.replace(from, to);
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (8 * i));
    return bytes;
}

QStringList everythingIn(const QString& folder)
{
    QStringList all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next();
    all.sort();
    return all;
}

} // namespace

class CardFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    // The private folders are made in the test's own.
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(m_tmp.filePath(QStringLiteral("tmp"))));
        qputenv("TMPDIR", QFile::encodeName(m_tmp.filePath(QStringLiteral("tmp"))));
    }

    void refusesHarmAndWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("archive");
        // The limits in MB where the row sets its own; 0 keeps the real one.
        QTest::addColumn<int>("entryLimit");
        QTest::addColumn<int>("totalLimit");
        QTest::addColumn<QString>("reason");
        const QByteArray bmp = picture();
        const Part ini{"kortvy.ini", kIni};
        const Part cat{"katt.bmp", bmp};
        const auto with = [&](const Part& extra) { return zipOf({kType, ini, cat, extra}); };
        const int none = 0;
        const QString outside = QStringLiteral("pekar ut ur kortlekens mapp");
        const QString notPlain = QStringLiteral("är en länk eller en mapp");

        QTest::newRow("path escape") << with({"../../x.bmp", bmp}) << none << none << outside;
        QTest::newRow("absolute name") << with({"/tmp/x.bmp", bmp}) << none << none << outside;
        QTest::newRow("backslash") << with({"..\\x.bmp", bmp}) << none << none << outside;
        QTest::newRow("drive letter") << with({"C:x.bmp", bmp}) << none << none << outside;
        QTest::newRow("dot dot") << with({"..", bmp}) << none << none << outside;
        QTest::newRow("folder by name") << with({"bilder/", ""}) << none << none << outside;
        QTest::newRow("NUL in a name")
            << patched(with({"kattQ.bmp", bmp}), "kattQ.bmp", QByteArray("katt\0.bmp", 9)) << none << none
            << QStringLiteral("nolltecken");
        QTest::newRow("not UTF-8") << with({"\xff\xfe.bmp", bmp}) << none << none << QStringLiteral("UTF-8");
        QTest::newRow("symlink") << with({"länk.bmp", "/etc/passwd", false, S_IFLNK | 0777}) << none << none << notPlain;
        QTest::newRow("folder by its mode") << with({"mapp", "", false, S_IFDIR | 0755}) << none << none << notPlain;
        QList<Part> many{kType, ini, cat};
        for (int i = 0; i < 98; ++i)
            many.append({QByteArray::number(i) + ".wav", "x"});
        QTest::newRow("101 entries") << zipOf(many) << none << none << QStringLiteral("fler än 100 filer");
        QTest::newRow("no mimetype") << zipOf({ini, cat}) << none << none << QStringLiteral("börjar inte med typen");
        QTest::newRow("mimetype second") << zipOf({ini, kType, cat}) << none << none << QStringLiteral("börjar inte med typen");
        QTest::newRow("mimetype compressed") << zipOf({{"mimetype", kType.bytes, false}, ini, cat}) << none << none
                                             << QStringLiteral("börjar inte med typen");
        QTest::newRow("another type") << zipOf({{"mimetype", "application/zip", true}, ini, cat}) << none << none
                                      << QStringLiteral("börjar inte med typen");
        QTest::newRow("no kortvy.ini") << zipOf({kType, cat}) << none << none << QStringLiteral("ingen kortvy.ini");
        QTest::newRow("text file") << QByteArray("Hej!\n") << none << none << QStringLiteral("ingen kortleksfil");
        QTest::newRow("twice") << with({"KATT.bmp", bmp}) << none << none << QStringLiteral("två gånger");
        QTest::newRow("not the set's") << with({".bashrc", "rm -rf ~"}) << none << none
                                       << QStringLiteral("hör inte till kortleken");
        QTest::newRow("kortvy.ini unreadable") << zipOf({kType, {"kortvy.ini", "3\r\n\"inget tal\"\r\n"}}) << none << none
                                               << QStringLiteral("går inte att läsa som en kortlek");
        QTest::newRow("broken picture") << zipOf({kType, ini, {"katt.bmp", "BM trasig"}}) << none << none
                                        << QStringLiteral("en bild i den går inte att använda");

        // A picture of 64 MB and a byte inflates from 64 KB. An entry claiming 100 bytes is
        // still stopped at the limit, as its bytes come.
        QTest::newRow("entry over 64 MB") << zipOf({kType, ini, {"katt.bmp", QByteArray((64 << 20) + 1, '\0')}})
                                          << none << none << QStringLiteral("\"katt.bmp\" i den blir större än 64 MB");
        const QByteArray two(2 << 20, '\0');
        QTest::newRow("entry claiming a small size")
            << patched(zipOf({kType, ini, {"katt.bmp", two}}), le32(quint32(two.size())), le32(100)) << 1 << none
            << QStringLiteral("\"katt.bmp\" i den blir större än 1 MB");
        QTest::newRow("all together over the limit")
            << zipOf({kType, ini, {"katt.bmp", QByteArray(600 << 10, 'a')}, {"katt.wav", QByteArray(600 << 10, 'b')}})
            << none << 1 << QStringLiteral("den blir större än 1 MB");
    }

    // Each refusal names the file and its reason, and nothing is left in the card folder or
    // the temporary folder.
    void refusesHarmAndWritesNothing()
    {
        QFETCH(QByteArray, archive);
        QFETCH(int, entryLimit);
        QFETCH(int, totalLimit);
        QFETCH(QString, reason);
        const QString root = m_tmp.filePath(QStringLiteral("Kortvy"));
        QVERIFY(QDir().mkpath(root));
        const QString file = m_tmp.filePath(QStringLiteral("in/Fara.kortvy"));
        writeBytes(file, archive);
        parcel::Limits limits;
        if (entryLimit)
            limits.entryBytes = qint64(entryLimit) << 20;
        if (totalLimit)
            limits.totalBytes = qint64(totalLimit) << 20;
        const QStringList before = everythingIn(m_tmp.path());
        for (int road = 0; road < 2; ++road) {
            try {
                if (road == 0)
                    parcel::addToCardFolder(root, file, limits);
                else
                    parcel::unpackPrivately(file, limits);
                QFAIL("the file was taken");
            } catch (const runtime::Error& e) {
                QVERIFY2(e.message().startsWith(QStringLiteral("Filen %1 kan inte öppnas som kortlek: ").arg(file)),
                         qPrintable(e.message()));
                QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
            }
            QCOMPARE(everythingIn(m_tmp.path()), before);
        }
    }

    // Export then fetch: the same files, byte for byte, and nothing else; the name comes from
    // the file's, with " (2)" the second time.
    void roundTripKeepsEveryByte()
    {
        const QString set = m_tmp.filePath(QStringLiteral("Djur"));
        writeBytes(set + QStringLiteral("/kortvy.ini"),
                   cardFile(3, 2, 2, {"katt.jpg", "hund.bmp", "katt", "", "ödla.gif", "", "", "ödla",
                                      "borta.jpg", "katt.jpg", "", ""}));
        writePicture(set, QStringLiteral("katt.jpg"), QSize(40, 30), Qt::blue);
        writePicture(set, QStringLiteral("hund.bmp"), QSize(20, 30), Qt::green);
        writePicture(set, QStringLiteral("ödla.gif"), QSize(16, 16), Qt::yellow);
        writeBytes(set + QStringLiteral("/katt.wav"), QByteArray(3000, 'w'));
        writeBytes(set + QStringLiteral("/ödla.ogg"), "OggS");
        writeBytes(set + QStringLiteral("/kortvy-val.ini"), "[spel]\r\ntangentbord=1\r\n");
        writeBytes(set + QStringLiteral("/anteckningar.txt"), "stays home");

        const parcel::Contents contents = parcel::contentsOf(set);
        QCOMPARE(contents.missing, QStringList{QStringLiteral("borta.jpg")});
        const QString file = m_tmp.filePath(QStringLiteral("ut/Djur och så.kortvy"));
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        parcel::writeCardFile(set, contents.files, file);
        const QByteArray bytes = readBytes(file);
        // What a file manager recognises it by.
        QVERIFY(bytes.startsWith("PK\x03\x04"));
        QCOMPARE(bytes.mid(30, 8), QByteArray("mimetype"));
        QCOMPARE(bytes.mid(38, 24), QByteArray("application/x-kortvy+zip"));

        const QString root = m_tmp.filePath(QStringLiteral("hem/Kortvy"));
        QVERIFY(QDir().mkpath(root));
        const QString first = parcel::addToCardFolder(root, file);
        QCOMPARE(first, root + QStringLiteral("/Djur och så"));
        QCOMPARE(parcel::addToCardFolder(root, file), root + QStringLiteral("/Djur och så (2)"));
        const QStringList expected{"hund.bmp", "katt.jpg", "katt.wav", "kortvy-val.ini", "kortvy.ini",
                                   "ödla.gif", "ödla.ogg"};
        QCOMPARE(QDir(first).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name), expected);
        for (const QString& name : expected)
            QVERIFY2(readBytes(first + QLatin1Char('/') + name) == readBytes(set + QLatin1Char('/') + name),
                     qPrintable(name));
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);

        // Played without being kept: a folder for this user alone.
        const QString played = parcel::unpackPrivately(file);
        QCOMPARE(QFileInfo(played).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), 0);
        QCOMPARE(readBytes(played + QStringLiteral("/katt.jpg")), readBytes(set + QStringLiteral("/katt.jpg")));
        QDir(played).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(CardFileTest)
#include "tst_cardfile.moc"
