// Editing through the window, as a supervisor does it: file lists and previews, double-clicks
// that choose and remove, typed texts, the copy buttons and the count options.

#include "tests/supervisor/SupervisorTestSupport.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QToolTip>

#include <sys/stat.h>

using namespace supervisortest;
using editor::List;

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

QColor previewColour(forms::PictureBox* preview)
{
    const QImage shown = preview->decodedImage();
    return shown.isNull() ? QColor() : shown.pixelColor(shown.width() / 2, shown.height() / 2);
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    // Both file lists show the folder's pictures, letter case of the extension not counting,
    // in every script, but no name that a text of kortvy.ini cannot hold.
    void fileListsOfferStorablePictureNames()
    {
        CardFolder folder;
        emptyFiveCards(folder);
        for (const char* name : {"E.JPG", "öga.GIF", "Ωmega.gif", "Łódź.jpg", "say \"cheese\".bmp", "tab\t.bmp", "ritning.png"})
            folder.picture(QString::fromUtf8(name));
        writeBytes(folder.path() + QStringLiteral("/notes.txt"), "x");
        auto form = startForm();
        const QStringList expected{"a.bmp", "b.gif", "c.jpg", "d.jpeg", "E.JPG", "Łódź.jpg", "öga.GIF", "Ωmega.gif"};
        QCOMPARE(files(*form, 0)->rows(), expected);
        QCOMPARE(files(*form, 1)->rows(), expected);
    }

    // A click on a file or on a chosen picture shows it in its own page's preview; a click on
    // a text shows nothing, and an empty row clears the preview.
    void previews()
    {
        CardFolder folder;
        emptyFiveCards(folder);
        auto form = startForm();
        clickRow(files(*form, 0), fileRow(files(*form, 0), QStringLiteral("b.gif")));
        QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("b.gif"));
        QVERIFY(near(previewColour(preview(*form, 0)), Qt::green));
        QVERIFY(!preview(*form, 1)->hasPicture());

        chooseFile(*form, 0, QStringLiteral("a.bmp"));
        chooseFile(*form, 0, QStringLiteral("c.jpg"));
        addText(*form, 0, QStringLiteral("d.jpeg"));
        clickRow(list(*form, 0), 0);
        QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("a.bmp"));
        QVERIFY(near(previewColour(preview(*form, 0)), Qt::red));
        clickRow(list(*form, 1), 0);
        QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("a.bmp"));

        click(panel(*form, "Panel3D8"));
        click(widget(*form, "Command1(0)"));
        clickRow(list(*form, 2), 1);
        QCOMPARE(preview(*form, 1)->fileName(), QStringLiteral("c.jpg"));
        QVERIFY(near(previewColour(preview(*form, 1)), Qt::blue));
        clickRow(list(*form, 2), 3);
        QVERIFY(!preview(*form, 1)->hasPicture());
        QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("a.bmp"));
    }

    // A picture whose file has gone, or that holds no readable picture, leaves the preview
    // empty with the reason as its tool tip; the tool goes on with every edit.
    void previewThatCannotLoadIsCleared()
    {
        CardFolder folder;
        emptyFiveCards(folder);
        writeBytes(folder.path() + QStringLiteral("/text.jpg"), "no picture at all");
        folder.picture(QStringLiteral("borta.gif"));
        QVERIFY(::mkfifo(QFile::encodeName(folder.path() + QStringLiteral("/ror.jpg")).constData(), 0600) == 0);
        folder.writeIni(cardFile(3, 1, 0, {"gone.gif", "", "", "", "ror.jpg", "", "", "", "", "", "", ""}));
        auto form = startForm();
        forms::PictureBox* shown = preview(*form, 0);
        const auto showsNothing = [&] { return !shown->hasPicture() && !shown->toolTip().isEmpty() && !app::hasEnded(); };
        clickRow(list(*form, 0), 0);
        QVERIFY(showsNothing());
        QVERIFY(shown->toolTip().contains(QStringLiteral("gone.gif")));
        // A named pipe under a picture's name: the tool answers at once.
        clickRow(list(*form, 0), 1);
        QVERIFY(showsNothing());
        QVERIFY(shown->toolTip().contains(QStringLiteral("ror.jpg")));
        clickRow(files(*form, 0), fileRow(files(*form, 0), QStringLiteral("text.jpg")));
        QVERIFY(showsNothing());
        // Offered when the window opened, removed since.
        QVERIFY(QFile::remove(folder.path() + QStringLiteral("/borta.gif")));
        clickRow(files(*form, 0), fileRow(files(*form, 0), QStringLiteral("borta.gif")));
        QVERIFY(showsNothing());

        chooseFile(*form, 0, QStringLiteral("b.gif"));
        QVERIFY(shown->hasPicture() && shown->toolTip().isEmpty());
        QCOMPARE(list(*form, 0)->rows(), QStringList({"gone.gif", "ror.jpg", "b.gif"}));
    }

    // A double-click on a file chooses it into its page's list, a double-click on a row
    // removes it; the list on screen is the card set's.
    void doubleClicksChooseAndRemove()
    {
        CardFolder folder;
        emptyFiveCards(folder);
        auto form = startForm();
        chooseFile(*form, 0, QStringLiteral("a.bmp"));
        chooseFile(*form, 0, QStringLiteral("c.jpg"));
        chooseFile(*form, 0, QStringLiteral("a.bmp"));
        QCOMPARE(list(*form, 0)->rows(), QStringList({"a.bmp", "c.jpg"}));
        click(panel(*form, "Panel3D8"));
        chooseFile(*form, 1, QStringLiteral("a.bmp"));
        QCOMPARE(list(*form, 2)->rows(), QStringList({"a.bmp"}));
        click(panel(*form, "Panel3D7"));
        doubleClickRow(list(*form, 0), 0);
        QCOMPARE(list(*form, 0)->rows(), QStringList({"c.jpg"}));
        QCOMPARE(form->editor().rows(List::UpperPictures), QStringList({"c.jpg"}));
        QCOMPARE(form->editor().counter(List::UpperPictures), qint16(1));
    }

    // A typed text goes in with "Lägg till text" and leaves the box empty; a refused one stays
    // in the box. The boxes take every script, and keep out, typed or pasted, a '"' or a
    // control character, and say why where the teacher is typing.
    void typedTexts()
    {
        CardFolder folder;
        folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
        auto form = startForm();
        addText(*form, 0, QStringLiteral("Häst"));
        QCOMPARE(textBox(*form, 0)->text(), QString());
        addText(*form, 0, QStringLiteral("Häst"));
        QCOMPARE(textBox(*form, 0)->text(), QStringLiteral("Häst"));
        QCOMPARE(list(*form, 1)->rows(), QStringList({"Häst"}));

        forms::TextBox* box = textBox(*form, 1);
        box->clear();
        typeText(box, QStringLiteral("Åsa, 5 € \"xΩ\"ÿ"));
        QCOMPARE(box->text(), QStringLiteral("Åsa, 5 € xΩÿ"));
        QVERIFY2(QToolTip::isVisible() && QToolTip::text().startsWith(QStringLiteral("Citattecken")), qPrintable(QToolTip::text()));
        box->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("a\tbΩc😀d"));
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("abΩc😀d"));
        QVERIFY2(QToolTip::text().startsWith(QStringLiteral("Styrtecken")), qPrintable(QToolTip::text()));
    }

    // The copy buttons copy the upper row's pictures or texts; the count options take the
    // count, set the lists' height and cut what no longer fits.
    void copyButtonsAndCountOptions()
    {
        CardFolder folder;
        folder.writeIni(cardFile(10, 1, 0, numberedStrings(7) + emptyStrings(3)));
        auto form = startForm();
        click(panel(*form, "Panel3D8"));
        click(widget(*form, "Command1(1)"));
        QCOMPARE(list(*form, 3)->rows(), numbered("to", 7) + QStringList(3, QString()));
        click(widget(*form, "Command1(0)"));
        QCOMPARE(list(*form, 2)->rows(), numbered("bo", 7) + QStringList(3, QString()));

        const struct {
            int option;
            float height;
        } steps[] = {{0, 750}, {1, 1230}, {2, 2430}, {0, 750}};
        for (const auto& step : steps) {
            click(countOption(*form, step.option));
            QVERIFY(countOption(*form, step.option)->isChecked());
            for (int k = 0; k < 4; ++k) {
                const runtime::TwipsRect place = list(*form, k)->twips();
                QCOMPARE(place.height, step.height);
                QCOMPARE(place.top, 30.0f);
                QCOMPARE(place.width, 1755.0f);
            }
        }
        QCOMPARE(form->editor().count(), qint16(3));
        QCOMPARE(list(*form, 3)->rows(), numbered("to", 3) + QStringList(3, QString()));
    }
};

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
