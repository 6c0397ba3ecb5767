// Editing the card set: previews, choosing and removing pictures, adding texts, copying
// the upper row to the lower one.

#include "tests/supervisor/SupervisorTestSupport.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>

using namespace supervisortest;
using supervisor::Form1;

namespace {

// A folder with a five-card set whose lists are empty and pictures in every format.
void emptyFiveCards(CardFolder& folder)
{
    folder.writeIni(cardFile(5, 1, 0, emptyStrings(5)));
    folder.picture(QStringLiteral("a.bmp"), Qt::red);
    folder.picture(QStringLiteral("b.gif"), Qt::green);
    folder.picture(QStringLiteral("c.jpg"), Qt::blue);
    folder.picture(QStringLiteral("d.jpeg"), Qt::yellow);
}

QColor previewColour(forms::Image* preview)
{
    const QImage shown = preview->decodedImage();
    return shown.isNull() ? QColor() : shown.pixelColor(shown.width() / 2, shown.height() / 2);
}

// The five-card window with a.bmp, b.gif and c.jpg chosen on the upper page and copied to
// the lower one, on the lower page: the lower picture list holds a, b, c and two empty rows.
std::unique_ptr<Form1> abcCopied(CardFolder& folder)
{
    emptyFiveCards(folder);
    auto form = startForm();
    for (const char* name : {"a.bmp", "b.gif", "c.jpg"})
        chooseFile(*form, 0, QLatin1String(name));
    click(form->Panel3D8);
    click(form->Command1(0));
    return form;
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void fileListsOfferStorablePictureNames();
    void previews();
    void previewThatCannotLoadIsCleared();
    void choosingPictures();
    void choosingIntoTheFirstEmptyRowAfterACopy();
    void removingRows();
    void doubleClickWithoutSelectionDoesNothing();
    void addingTexts();
    void textBoxesKeepOutWhatTheFileCannotHold();
    void copyingTexts();
    void copyingPicturesTouchesOnlyTheLowerPictures();
};

// Both file lists show the folder's pictures, letter case of the extension not counting,
// and only names that kortvy.ini can hold.
void EditingTest::fileListsOfferStorablePictureNames()
{
    CardFolder folder;
    emptyFiveCards(folder);
    for (const char* name : {"E.JPG", "öga.GIF", "Ωmega.gif", "say \"cheese\".bmp", "ritning.png"})
        folder.picture(QString::fromUtf8(name));
    writeBytes(folder.path() + QStringLiteral("/notes.txt"), "x");
    auto form = startForm();
    const QStringList expected{"a.bmp", "b.gif", "c.jpg", "d.jpeg", "E.JPG", "öga.GIF"};
    QCOMPARE(form->File1(0)->rows(), expected);
    QCOMPARE(form->File1(1)->rows(), expected);
}

void EditingTest::previews()
{
    CardFolder folder;
    emptyFiveCards(folder);
    auto form = startForm();
    clickRow(form->File1(0), fileRow(form->File1(0), QStringLiteral("b.gif")));
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("b.gif"));
    QVERIFY(near(previewColour(form->Image3(0)), Qt::green));
    QVERIFY(!form->Image3(1)->hasPicture());

    chooseFile(*form, 0, QStringLiteral("a.bmp"));
    chooseFile(*form, 0, QStringLiteral("c.jpg"));
    form->List1(1)->setRow(0, QStringLiteral("d.jpeg"));
    form->List1(3)->setRow(0, QStringLiteral("d.jpeg"));
    clickRow(form->List1(0), 0);
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("a.bmp"));
    QVERIFY(near(previewColour(form->Image3(0)), Qt::red));

    // A click on a text list shows nothing.
    clickRow(form->List1(1), 0);
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("a.bmp"));

    click(form->Panel3D8);
    click(form->Command1(0));
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "c.jpg", "", "", ""}));
    clickRow(form->List1(2), 1);
    QCOMPARE(form->Image3(1)->pictureFile(), QStringLiteral("c.jpg"));
    QVERIFY(near(previewColour(form->Image3(1)), Qt::blue));
    clickRow(form->List1(3), 0);
    QCOMPARE(form->Image3(1)->pictureFile(), QStringLiteral("c.jpg"));
    // An empty row clears the preview of its own page only.
    clickRow(form->List1(2), 3);
    QVERIFY(!form->Image3(1)->hasPicture());
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("a.bmp"));
}

// A picture whose file has gone, or that holds no readable picture, leaves the preview
// empty; the tool goes on with every edit.
void EditingTest::previewThatCannotLoadIsCleared()
{
    CardFolder folder;
    emptyFiveCards(folder);
    writeBytes(folder.path() + QStringLiteral("/text.jpg"), "no picture at all");
    folder.picture(QStringLiteral("borta.gif"));
    folder.writeIni(cardFile(3, 1, 0, {"gone.gif", "", "", "", "", "", "", "", "", "", "", ""}));
    auto form = startForm();

    const auto showsNothing = [&form] {
        return !form->Image3(0)->hasPicture() && !form->Image3(0)->toolTip().isEmpty() && !app::hasEnded();
    };
    clickRow(form->File1(0), fileRow(form->File1(0), QStringLiteral("a.bmp")));
    QVERIFY(form->Image3(0)->hasPicture());
    clickRow(form->List1(0), 0);
    QVERIFY(showsNothing());
    QVERIFY(form->Image3(0)->toolTip().contains(QStringLiteral("gone.gif")));
    clickRow(form->File1(0), fileRow(form->File1(0), QStringLiteral("text.jpg")));
    QVERIFY(showsNothing());
    // Offered when the window opened, removed since.
    QVERIFY(QFile::remove(folder.path() + QStringLiteral("/borta.gif")));
    clickRow(form->File1(0), fileRow(form->File1(0), QStringLiteral("borta.gif")));
    QVERIFY(showsNothing());

    // Still at work: a readable picture shows again, and a choice still goes in.
    doubleClickRow(form->File1(0), fileRow(form->File1(0), QStringLiteral("b.gif")));
    QVERIFY(form->Image3(0)->hasPicture());
    QVERIFY(form->Image3(0)->toolTip().isEmpty());
    QCOMPARE(form->List1(0)->rows(), QStringList({"gone.gif", "b.gif"}));
}

void EditingTest::choosingPictures()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    for (const char* name : {"Sol.gif", "sol.gif", "SOL.GIF", "sol.GIF"})
        folder.picture(QString::fromLatin1(name));
    auto form = startForm();

    // The first choice goes into row 0; a name already chosen is refused.
    chooseFile(*form, 0, QStringLiteral("sol.gif"));
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("sol.gif"));
    chooseFile(*form, 0, QStringLiteral("sol.gif"));
    QCOMPARE(form->List1(0)->rows(), QStringList({"sol.gif"}));
    // Names that differ in letter case are different pictures.
    chooseFile(*form, 0, QStringLiteral("Sol.gif"));
    chooseFile(*form, 0, QStringLiteral("SOL.GIF"));
    QCOMPARE(form->List1(0)->rows(), QStringList({"sol.gif", "Sol.gif", "SOL.GIF"}));
    QCOMPARE(form->antal_rader(0), qint16(3));
    // The list holds its three cards: a fourth is refused.
    chooseFile(*form, 0, QStringLiteral("sol.GIF"));
    QCOMPARE(form->List1(0)->ListCount(), 3);
    QCOMPARE(form->antal_rader(0), qint16(3));

    // The lower page has its own list.
    click(form->Panel3D8);
    chooseFile(*form, 1, QStringLiteral("sol.gif"));
    QCOMPARE(form->List1(2)->rows(), QStringList({"sol.gif"}));
    QCOMPARE(counters(*form), QList<qint16>({3, 0, 1, 0}));
}

void EditingTest::choosingIntoTheFirstEmptyRowAfterACopy()
{
    CardFolder folder;
    auto form = abcCopied(folder);
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "b.gif", "c.jpg", "", ""}));
    QCOMPARE(form->antal_rader(2), qint16(3));

    chooseFile(*form, 1, QStringLiteral("d.jpeg"));
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "b.gif", "c.jpg", "d.jpeg", ""}));
    QCOMPARE(form->antal_rader(2), qint16(4));
}

// A double-click removes the row; only a counted row lowers the counter, so removing the
// empty rows a copy left never makes a later choice replace a chosen picture.
void EditingTest::removingRows()
{
    CardFolder folder;
    auto form = abcCopied(folder);

    doubleClickRow(form->List1(2), 4);
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "b.gif", "c.jpg", ""}));
    QCOMPARE(form->antal_rader(2), qint16(3));
    chooseFile(*form, 1, QStringLiteral("d.jpeg"));
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "b.gif", "c.jpg", "d.jpeg"}));
    QCOMPARE(form->antal_rader(2), qint16(4));

    // Removing a counted row moves the later cards forward.
    doubleClickRow(form->List1(2), 1);
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "c.jpg", "d.jpeg"}));
    QCOMPARE(form->antal_rader(2), qint16(3));
    chooseFile(*form, 1, QStringLiteral("b.gif"));
    QCOMPARE(form->List1(2)->rows(), QStringList({"a.bmp", "c.jpg", "d.jpeg", "b.gif"}));

    // Removing only empty rows from a copy of an empty list keeps the counter at 0.
    click(form->Command1(1));
    QCOMPARE(form->List1(3)->ListCount(), 5);
    for (int i = 0; i < 5; ++i)
        doubleClickRow(form->List1(3), 0);
    QCOMPARE(form->List1(3)->ListCount(), 0);
    QCOMPARE(form->antal_rader(3), qint16(0));

    // Text lists lose rows the same way.
    addText(*form, 1, QStringLiteral("ett"));
    addText(*form, 1, QStringLiteral("två"));
    doubleClickRow(form->List1(3), 0);
    QCOMPARE(form->List1(3)->rows(), QStringList({"två"}));
    QCOMPARE(form->antal_rader(3), qint16(1));
}

void EditingTest::doubleClickWithoutSelectionDoesNothing()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, numberedStrings(3)));
    auto form = startForm();
    for (qint16 k = 0; k < 4; ++k) {
        QCOMPARE(form->List1(k)->ListIndex(), -1);
        form->List1_DblClick(k);
        QCOMPARE(form->List1(k)->ListCount(), 3);
    }
    form->File1_DblClick(0);
    QCOMPARE(counters(*form), QList<qint16>({3, 3, 3, 3}));
    QVERIFY(!app::hasEnded());
}

void EditingTest::addingTexts()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = startForm();

    // An empty text box adds nothing.
    click(form->SSCommand2(0));
    QCOMPARE(form->List1(1)->ListCount(), 0);

    addText(*form, 0, QStringLiteral("Häst"));
    QCOMPARE(form->Text1(0)->Text(), QString());
    // Already present: refused, and the text stays in the box.
    addText(*form, 0, QStringLiteral("Häst"));
    QCOMPARE(form->Text1(0)->Text(), QStringLiteral("Häst"));
    // Letter case and a trailing blank make different texts.
    addText(*form, 0, QStringLiteral("häst"));
    addText(*form, 0, QStringLiteral("Häst "));
    QCOMPARE(form->List1(1)->rows(), QStringList({"Häst", "häst", "Häst "}));
    // The list is full.
    addText(*form, 0, QStringLiteral("ko"));
    QCOMPARE(form->Text1(0)->Text(), QStringLiteral("ko"));
    QCOMPARE(form->List1(1)->ListCount(), 3);

    // The other page takes the same text.
    click(form->Panel3D8);
    addText(*form, 1, QStringLiteral("Häst"));
    QCOMPARE(form->List1(3)->rows(), QStringList({"Häst"}));
    QCOMPARE(counters(*form), QList<qint16>({0, 3, 0, 1}));
}

void EditingTest::textBoxesKeepOutWhatTheFileCannotHold()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = startForm();
    forms::TextBox* box = form->Text1(0);
    typeText(box, QStringLiteral("Åsa, 5 € \"xΩ\"ÿ"));
    QCOMPARE(box->Text(), QStringLiteral("Åsa, 5 € xÿ"));

    box->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("a\"bΩc😀d"));
    box->paste();
    QCOMPARE(box->Text(), QStringLiteral("abcd"));
}

void EditingTest::copyingTexts()
{
    CardFolder folder;
    folder.writeIni(cardFile(5, 1, 0, emptyStrings(5)));
    auto form = startForm();
    click(form->Panel3D8);

    // From an empty upper list: five empty rows, counter 0.
    click(form->Command1(1));
    QCOMPARE(form->List1(3)->rows(), QStringList(5, QString()));
    QCOMPARE(form->antal_rader(3), qint16(0));

    // Over the lower row's own texts.
    for (const char* t : {"u1", "u2", "u3", "u4", "u5"})
        addText(*form, 1, QLatin1String(t));
    QCOMPARE(form->List1(3)->rows(), QStringList({"u1", "u2", "u3", "u4", "u5"}));
    click(form->Panel3D7);
    for (const char* t : {"ö1", "ö2", "ö3"})
        addText(*form, 0, QString::fromUtf8(t));
    click(form->Panel3D8);
    click(form->Command1(1));
    const QStringList once{"ö1", "ö2", "ö3", "", ""};
    QCOMPARE(form->List1(3)->rows(), once);
    QCOMPARE(form->antal_rader(3), qint16(3));
    click(form->Command1(1));
    QCOMPARE(form->List1(3)->rows(), once);
    QCOMPARE(counters(*form), QList<qint16>({0, 3, 0, 3}));

    // The next text goes into the first empty row.
    addText(*form, 1, QStringLiteral("ny"));
    QCOMPARE(form->List1(3)->rows(), QStringList({"ö1", "ö2", "ö3", "ny", ""}));
    QCOMPARE(form->antal_rader(3), qint16(4));
}

void EditingTest::copyingPicturesTouchesOnlyTheLowerPictures()
{
    CardFolder folder;
    folder.picture(QStringLiteral("a.bmp"));
    QStringList strings = numberedStrings(10);
    for (int i = 6; i < 10; ++i)
        strings[4 * i].clear();  // six upper pictures
    strings[0] = strings[1] = QStringLiteral("a.bmp");
    folder.writeIni(cardFile(10, 1, 0, strings));
    auto form = startForm();
    clickRow(form->List1(0), 0);
    click(form->Panel3D8);
    clickRow(form->List1(2), 0);
    const QStringList upperPictures = form->List1(0)->rows();
    const QStringList upperTexts = form->List1(1)->rows();
    const QStringList lowerTexts = form->List1(3)->rows();

    click(form->Command1(0));
    click(form->Command1(0));
    QStringList expected = upperPictures;
    expected << QString() << QString() << QString() << QString();
    QCOMPARE(form->List1(2)->rows(), expected);
    QCOMPARE(counters(*form), QList<qint16>({6, 10, 6, 10}));
    QCOMPARE(form->List1(0)->rows(), upperPictures);
    QCOMPARE(form->List1(1)->rows(), upperTexts);
    QCOMPARE(form->List1(3)->rows(), lowerTexts);
    QCOMPARE(form->Image3(1)->pictureFile(), QStringLiteral("a.bmp"));
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("a.bmp"));
}

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
