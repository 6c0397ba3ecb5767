// The card file fuzz target's seeds, replayed as the fuzz target reads them.
#include "fuzz/CardFileCheck.h"

#include "tests/support/TestSupport.h"

#include <QtTest>

class CardFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    // Every seed, whole sets and hostile files alike, is taken in as plain files in one new
    // folder or refused with a message naming the file, leaving nothing.
    void fuzzCorpus()
    {
        const QDir corpus(QStringLiteral(KORTVY_CARDFILE_CORPUS));
        const QStringList inputs = corpus.entryList(QDir::Files);
        QVERIFY(inputs.size() >= 10);
        for (const QString& input : inputs) {
            const cardfilecheck::Finding finding = cardfilecheck::check(readBytes(corpus.filePath(input)), m_tmp.path());
            QVERIFY2(!finding, qPrintable(input + QStringLiteral(": ") + finding.problem));
        }
    }
};

QTEST_GUILESS_MAIN(CardFilesTest)
#include "tst_cardfiles.moc"
