// The supervisor's window: controls, captions, fonts, colours, the tab strips, the
// stacking of pages over headers, and switching pages.

#include "SupervisorTestSupport.h"

#include "forms/Fonts.h"
#include "forms/Geometry.h"
#include "forms/Twips.h"
#include "supervisor/NumberColumn.h"
#include "supervisor/TabStrip.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace supervisortest;
using forms::Panel3D;
using supervisor::Form1;

namespace {

QWidget* control(const Form1& form, const QString& name)
{
    auto* w = form.findChild<QWidget*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

QString captionOf(QWidget* w)
{
    if (auto* panel = dynamic_cast<Panel3D*>(w))
        return panel->Caption();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    qFatal("no caption on %s", qPrintable(w->objectName()));
}

const QString kText1 = QStringLiteral(
    "Först väljer du hur många kort du vill ha. 3, 5 eller 10 kort. Denna inställning gäller för både övre och "
    "undre skärmdel.");
const QString kText2 = QStringLiteral(
    "På fliken \"Övre skärmdel\" väljer du vikla bilder du vill ha. Klicka på bildnamnen i listan till vänster för "
    "att se bilden. Dubbelklicka för att välja bilden. Välj sedan vilka ord du vill ha till respektive bild. Sedan "
    "väljer du om texten, billden eller båda ska synas på den övre delen.");
const QString kText3 = QStringLiteral(
    "På fliken \"Undre skärm- del\" väljer du bilder och text på samma sätt som till den övre skärmdelen. Om du "
    "vill ha exakt samma texter och bilder som i den övre delen finns det två knappar för att kopiera text och "
    "bild. Det är viktigt att texter och bilder som hör ihop har samma nummer.    Sluta och spara dina "
    "inställningar genom att klicka på knappen spara.  Om du klickar på avbryt gäller de gamla inställningarna "
    "fortfarande.");

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlStandsWhereItBelongs_data();
    void controlStandsWhereItBelongs();
    void twipsAreFifteenToAPixel();
    void captions_data();
    void captions();
    void fonts();
    void coloursAndBevels();
    void tabStrips();
    void numberColumnsStandBesideTheRows();
    void startUpShowsBackdropAndFirstPage();
    void screenReaderNamesTheMainControls();
    void headersSwitchPages();
    void switchingPagesKeepsThePageAsItWas();
    void pageCoversTheLowerBandOfTheHeaders();
};

void WindowTest::controlStandsWhereItBelongs_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRectF>("twips");

    const auto row = [](const char* name, const char* container, float l, float t, float w, float h) {
        QTest::newRow(name) << QString::fromLatin1(container) << QRectF(l, t, w, h);
    };
    row("Panel3D7", "Form1", 1440, 240, 2655, 615);
    row("Panel3D8", "Form1", 4080, 240, 2655, 615);
    row("Panel3D9", "Form1", 6720, 240, 2655, 615);
    for (const char* page : {"Panel3D1(1)", "Panel3D1(2)", "Panel3D1(3)"})
        row(page, "Form1", 1440, 720, 7935, 5895);
    row("Panel3D2", "Form1", 240, 2160, 1095, 1815);
    row("Option3D1(0)", "Panel3D2", 120, 600, 855, 255);
    row("Option3D1(1)", "Panel3D2", 120, 960, 855, 255);
    row("Option3D1(2)", "Panel3D2", 120, 1320, 855, 255);
    row("Command3D5", "Form1", 240, 4200, 1095, 1095);
    row("Command3D6", "Form1", 240, 5520, 1095, 1095);

    // Page 1, then page 2.
    row("Image2", "Panel3D1(1)", 8, 0, 2625, 65);
    row("Image1(1)", "Panel3D1(2)", 2655, 0, 2625, 65);
    row("Panel3D6(0)", "Panel3D1(1)", 480, 480, 1815, 2490);
    row("Panel3D6(3)", "Panel3D1(2)", 480, 480, 1815, 2490);
    row("File1(0)", "Panel3D6(0)", 25, 25, 1760, 2430);
    row("File1(1)", "Panel3D6(3)", 25, 30, 1760, 2430);
    row("Label10(0)", "Panel3D1(1)", 3120, 240, 1935, 255);
    row("Label10(2)", "Panel3D1(2)", 3120, 240, 1935, 255);
    row("Label1(0)", "Panel3D1(1)", 2700, 520, 255, 2535);
    row("Label1(1)", "Panel3D1(2)", 2700, 520, 255, 2535);
    row("Panel3D6(1)", "Panel3D1(1)", 3060, 480, 1815, 2490);
    row("Panel3D6(4)", "Panel3D1(2)", 3060, 480, 1815, 2490);
    row("List1(0)", "Panel3D6(1)", 30, 30, 1755, 2430);
    row("List1(2)", "Panel3D6(4)", 30, 30, 1755, 2430);
    row("Label10(1)", "Panel3D1(1)", 5640, 240, 1935, 255);
    row("Label10(3)", "Panel3D1(2)", 5640, 240, 1935, 255);
    row("Label8(0)", "Panel3D1(1)", 5300, 520, 255, 2535);
    row("Label8(1)", "Panel3D1(2)", 5300, 520, 255, 2535);
    row("Panel3D6(2)", "Panel3D1(1)", 5640, 480, 1815, 2490);
    row("Panel3D6(5)", "Panel3D1(2)", 5640, 480, 1815, 2490);
    row("List1(1)", "Panel3D6(2)", 30, 30, 1755, 2430);
    row("List1(3)", "Panel3D6(5)", 30, 30, 1755, 2430);
    row("Text1(0)", "Panel3D1(1)", 5640, 3000, 1815, 375);
    row("Text1(1)", "Panel3D1(2)", 5640, 3000, 1815, 375);
    row("SSCommand2(0)", "Panel3D1(1)", 5640, 3360, 1815, 375);
    row("SSCommand2(1)", "Panel3D1(2)", 5640, 3360, 1815, 375);
    row("SSPanel2(0)", "Panel3D1(1)", 480, 3120, 1815, 1815);
    row("SSPanel2(1)", "Panel3D1(2)", 480, 3120, 1815, 1815);
    row("Label9(1)", "SSPanel2(0)", 360, 240, 1095, 255);
    row("Label9(0)", "SSPanel2(1)", 360, 240, 1095, 255);
    for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < 3; ++i) {
            const QByteArray name = "SSOption1(" + QByteArray::number(3 * p + i) + ")";
            const QByteArray group = "SSPanel2(" + QByteArray::number(p) + ")";
            row(name.constData(), group.constData(), 240, 480 + 360 * i, 1335, 375);
        }
    }
    row("SSPanel1(0)", "Panel3D1(1)", 3000, 3120, 1935, 1815);
    row("SSPanel1(1)", "Panel3D1(2)", 3000, 3120, 1935, 1815);
    row("Image3(0)", "SSPanel1(0)", 120, 120, 1695, 1575);
    row("Image3(1)", "SSPanel1(1)", 120, 120, 1695, 1575);
    row("Command1(0)", "Panel3D1(2)", 3060, 5040, 1815, 615);
    row("Command1(1)", "Panel3D1(2)", 5640, 5040, 1815, 615);

    // Page 3.
    row("Image1(0)", "Panel3D1(3)", 5295, 0, 2625, 65);
    row("Panel3D3", "Panel3D1(3)", 240, 480, 2370, 4530);
    row("Panel3D5", "Panel3D1(3)", 2805, 480, 2370, 4530);
    row("Panel3D4", "Panel3D1(3)", 5355, 480, 2310, 4530);
    row("Label7(0)", "Panel3D3", 30, 30, 2295, 375);
    row("Label7(1)", "Panel3D5", 30, 30, 2295, 375);
    row("Label7(3)", "Panel3D4", 30, 30, 2235, 375);
    row("Label2", "Panel3D3", 30, 360, 2295, 4120);
    row("Label5", "Panel3D5", 30, 360, 2295, 4120);
    row("Label6", "Panel3D4", 30, 360, 2235, 4120);
}

void WindowTest::controlStandsWhereItBelongs()
{
    QFETCH(QString, container);
    QFETCH(QRectF, twips);
    Form1 form;
    QWidget* w = control(form, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(w->parentWidget()->objectName(), container);
    auto* g = dynamic_cast<forms::Geometry*>(w);
    QVERIFY(g);
    QCOMPARE(QRectF(g->Left(), g->Top(), g->Width(), g->Height()), twips);
}

// A control's place in the window, in pixels, is its place in twips over all its
// containers, divided by 15.
void WindowTest::twipsAreFifteenToAPixel()
{
    Form1 form;
    QCOMPARE(form.size(), QSize(643, 455));
    const struct {
        QWidget* w;
        QRect pixels;
    } cases[] = {
        {form.List1(0), QRect(302, 82, 117, 162)},
        {form.Image3(1), QRect(304, 264, 113, 105)},
        {form.Option3D1(2), QRect(24, 232, 57, 17)},
        // 360 and 4120 twips are no whole pixels; the edges are rounded, not the height.
        {form.Label6, QRect(455, 104, 149, 275)},
    };
    for (const auto& c : cases)
        QCOMPARE(QRect(c.w->mapTo(&form, QPoint()), c.w->size()), c.pixels);
}

void WindowTest::captions_data()
{
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* name, const QString& caption) { QTest::newRow(name) << caption; };
    row("Panel3D7", QStringLiteral("Övre skärmdel"));
    row("Panel3D8", QStringLiteral("Undre skärmdel"));
    row("Panel3D9", QStringLiteral("Hjälp"));
    row("Panel3D2", QStringLiteral("Välj antal kort"));
    row("Option3D1(0)", QStringLiteral("  3 kort"));
    row("Option3D1(1)", QStringLiteral("  5 kort"));
    row("Option3D1(2)", QStringLiteral("10 kort"));
    row("Command3D5", QStringLiteral("Spara"));
    row("Command3D6", QStringLiteral("Avbryt"));
    for (const char* name : {"Label10(0)", "Label10(2)"})
        row(name, QStringLiteral("Valda Bilder"));
    for (const char* name : {"Label10(1)", "Label10(3)"})
        row(name, QStringLiteral("Valda Texter"));
    for (const char* name : {"Label1(0)", "Label1(1)", "Label8(0)", "Label8(1)"})
        row(name, QStringLiteral("1 2 3 4 5 6 7 8 9 10"));
    for (const char* name : {"SSCommand2(0)", "SSCommand2(1)"})
        row(name, QStringLiteral("Lägg till text"));
    for (const char* name : {"Label9(0)", "Label9(1)"})
        row(name, QStringLiteral("Typ av kort"));
    for (const char* name : {"SSOption1(0)", "SSOption1(3)"})
        row(name, QStringLiteral("Text"));
    for (const char* name : {"SSOption1(1)", "SSOption1(4)"})
        row(name, QStringLiteral("Bild"));
    for (const char* name : {"SSOption1(2)", "SSOption1(5)"})
        row(name, QStringLiteral("Text + Bild"));
    row("Command1(0)", QStringLiteral("Kopiera bilder från Övre skärmdel"));
    row("Command1(1)", QStringLiteral("Kopiera texter från Övre skärmdel"));
    row("Label7(0)", QStringLiteral("Steg 1:"));
    row("Label7(1)", QStringLiteral("Steg 2:"));
    row("Label7(3)", QStringLiteral("Steg 3:"));
    row("Label2", kText1);
    row("Label5", kText2);
    row("Label6", kText3);
    for (const char* name : {"Panel3D1(1)", "Panel3D1(2)", "Panel3D1(3)", "Panel3D6(0)", "SSPanel2(0)", "SSPanel1(1)",
                             "Panel3D3", "Panel3D5", "Panel3D4"})
        row(name, QString());
}

void WindowTest::captions()
{
    QFETCH(QString, caption);
    Form1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Kortvy handledarsektion"));
    QCOMPARE(captionOf(control(form, QString::fromLatin1(QTest::currentDataTag()))), caption);
}

void WindowTest::fonts()
{
    Form1 form;
    const auto sameFont = [](const QFont& f, const QFont& expected) {
        return f.family() == expected.family() && qAbs(f.pointSizeF() - expected.pointSizeF()) < 0.01
            && f.bold() == expected.bold();
    };
    // Label7 has no index 2.
    QVERIFY(!form.findChild<QWidget*>(QStringLiteral("Label7(2)")));
    QVERIFY_THROWS_EXCEPTION(forms::Error, form.Label7(2));

    QVERIFY(sameFont(form.font(), forms::msSansSerif(8.25, true)));
    QVERIFY(sameFont(form.Panel3D7->captionFont(), forms::msSansSerif(11.89, true)));
    QVERIFY(sameFont(form.Panel3D8->captionFont(), forms::msSansSerif(11.89, false)));
    QVERIFY(sameFont(form.Panel3D9->captionFont(), forms::msSansSerif(11.89, false)));
    QVERIFY(sameFont(form.Panel3D2->captionFont(), forms::arial(8.25, true)));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(sameFont(form.Option3D1(i)->captionFont(), forms::msSansSerif(24.27, true)));
        // The design size is higher than the option; the caption is shown at a size that fits.
        QVERIFY(QFontMetrics(form.Option3D1(i)->font()).height() <= form.Option3D1(i)->height());
        QVERIFY(form.Option3D1(i)->font().bold());
    }
    for (int i = 0; i < 6; ++i)
        QVERIFY(sameFont(form.SSOption1(i)->captionFont(), forms::msSansSerif(8.24, true)));
    for (QWidget* button : {static_cast<QWidget*>(form.Command3D5), static_cast<QWidget*>(form.Command3D6)})
        QVERIFY(sameFont(button->font(), forms::msSansSerif(9.75, true)));
    for (int p = 0; p < 2; ++p) {
        QVERIFY(sameFont(form.File1(p)->font(), forms::msSansSerif(9.75, true)));
        QVERIFY(sameFont(form.Label1(p)->font(), forms::arial(9.75, true)));
        QVERIFY(sameFont(form.Label8(p)->font(), forms::arial(9.75, true)));
        QVERIFY(sameFont(form.Text1(p)->font(), forms::arial(11.25, true)));
        QVERIFY(sameFont(form.SSCommand2(p)->font(), forms::msSansSerif(8.25, true)));
        QVERIFY(sameFont(form.Command1(p)->font(), forms::arial(8.25, true)));
    }
    for (int k = 0; k < 4; ++k)
        QVERIFY(sameFont(form.List1(k)->font(), forms::msSansSerif(9.75, true)));
    for (int i : {0, 1, 3})
        QVERIFY(sameFont(form.Label7(i)->font(), forms::msSansSerif(12, true)));
    for (QLabel* text : {form.Label2, form.Label5, form.Label6}) {
        QVERIFY(sameFont(text->font(), forms::msSansSerif(8.25, true)));
        QVERIFY(text->wordWrap());
    }
}

void WindowTest::coloursAndBevels()
{
    Form1 form;
    const QImage shot = form.grab().toImage();
    QCOMPARE(shot.pixelColor(5, 5), QColor(255, 255, 128));
    QCOMPARE(shot.pixelColor(640, 450), QColor(255, 255, 128));

    const QColor buttonFace = form.palette().color(QPalette::Button);
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(form.Panel3D1(i)->bevel(), Panel3D::Bevel::Raised);
        QCOMPARE(form.Panel3D1(i)->background(), buttonFace);
    }
    for (Panel3D* header : {form.Panel3D7, form.Panel3D8, form.Panel3D9})
        QCOMPARE(header->bevel(), Panel3D::Bevel::Raised);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(form.Panel3D6(i)->bevel(), Panel3D::Bevel::Inset);
    for (int p = 0; p < 2; ++p) {
        for (Panel3D* group : {form.SSPanel2(p), form.SSPanel1(p)}) {
            QCOMPARE(group->bevel(), Panel3D::Bevel::RaisedAndInset);
            QCOMPARE(group->background(), QColor(192, 192, 192));
        }
    }
    for (Panel3D* frame : {form.Panel3D3, form.Panel3D5, form.Panel3D4})
        QCOMPARE(frame->bevel(), Panel3D::Bevel::Inset);
    for (QLabel* l : {static_cast<QLabel*>(form.Label7(0)), static_cast<QLabel*>(form.Label7(1)),
                      static_cast<QLabel*>(form.Label7(3)), static_cast<QLabel*>(form.Label2),
                      static_cast<QLabel*>(form.Label5), static_cast<QLabel*>(form.Label6)}) {
        QVERIFY(l->autoFillBackground());
        QCOMPARE(l->palette().color(l->backgroundRole()), form.palette().color(QPalette::Base));
        QCOMPARE(l->palette().color(l->foregroundRole()), form.palette().color(QPalette::Text));
    }
}

void WindowTest::tabStrips()
{
    const QImage strip = supervisor::tabStripImage();
    QCOMPARE(strip.size(), QSize(171, 6));
    QCOMPARE(strip.format(), QImage::Format_Indexed8);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 171; ++x) {
            const QColor expected = x < 2 ? QColor(255, 255, 255) : x < 167 ? QColor(192, 192, 192) : QColor(128, 128, 128);
            QCOMPARE(strip.pixelColor(x, y), expected);
        }
    }

    // Each page carries the strip below its own header, across the page's top bevel.
    Form1 form;
    const struct {
        QWidget* strip;
        QWidget* page;
        Panel3D* header;
    } strips[] = {
        {form.Image2, form.Panel3D1(1), form.Panel3D7},
        {form.Image1(1), form.Panel3D1(2), form.Panel3D8},
        {form.Image1(0), form.Panel3D1(3), form.Panel3D9},
    };
    for (const auto& s : strips) {
        QCOMPARE(s.strip->parentWidget(), s.page);
        const QRect inWindow(s.strip->mapTo(&form, QPoint()), s.strip->size());
        QCOMPARE(inWindow.top(), s.page->y());
        QVERIFY(inWindow.left() >= s.header->x());
        QVERIFY(inWindow.right() <= s.header->geometry().right());
        QCOMPARE(s.strip->grab().toImage().pixelColor(s.strip->width() / 2, 0), QColor(192, 192, 192));
    }
}

// Number n of a column stands beside row n of its list, for all ten rows.
void WindowTest::numberColumnsStandBesideTheRows()
{
    Form1 form;
    QStringList ten;
    for (int n = 1; n <= 10; ++n)
        ten << QString::number(n);
    for (int k = 0; k < 4; ++k)
        for (int r = 0; r < 10; ++r)
            form.List1(k)->setRow(r, QStringLiteral("rad"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const struct {
        supervisor::NumberColumn* column;
        forms::ListBox* list;
    } pairs[] = {{form.Label1(0), form.List1(0)}, {form.Label8(0), form.List1(1)}};
    for (const auto& pair : pairs) {
        QCOMPARE(pair.column->lines(), ten);
        for (int r = 0; r < 10; ++r) {
            const int lineCentre = pair.column->mapTo(&form, QPoint(0, 8 + 16 * r)).y();
            const QRect rowRect = pair.list->visualItemRect(pair.list->item(r));
            const int rowCentre = pair.list->viewport()->mapTo(&form, rowRect.center()).y();
            QVERIFY2(qAbs(lineCentre - rowCentre) <= 2, qPrintable(QStringLiteral("row %1").arg(r)));
        }
    }
}

void WindowTest::screenReaderNamesTheMainControls()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = loadForm();
    auto name = [](QWidget* w) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
    };
    QCOMPARE(name(form->File1(0)), QStringLiteral("Bildfiler, övre skärmdel"));
    QCOMPARE(name(form->List1(0)), QStringLiteral("Valda bilder, övre skärmdel"));
    QCOMPARE(name(form->List1(3)), QStringLiteral("Valda texter, undre skärmdel"));
    QCOMPARE(name(form->Text1(1)), QStringLiteral("Ny text, undre skärmdel"));
    QCOMPARE(name(form->Command3D5), QStringLiteral("Spara"));
    QCOMPARE(name(form->Command3D6), QStringLiteral("Avbryt"));
    QCOMPARE(name(form->SSCommand2(0)), QStringLiteral("Lägg till text"));
    QCOMPARE(name(form->Command1(1)), QStringLiteral("Kopiera texter från Övre skärmdel"));
    QCOMPARE(name(form->Option3D1(1)), QStringLiteral("  5 kort"));
    QCOMPARE(name(form->SSOption1(5)), QStringLiteral("Text + Bild"));
    QCOMPARE(name(form->Panel3D8), QStringLiteral("Undre skärmdel"));
}

void WindowTest::startUpShowsBackdropAndFirstPage()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = loadForm();
    QVERIFY(form->Form2);
    QVERIFY(form->Form2->isVisible());
    QCOMPARE(form->Form2->geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(form->Form2->palette().color(QPalette::Window), QColor(0, 0, 0));
    // The window itself is shown only after the load handler.
    QVERIFY(!form->isVisible());

    QVERIFY(form->Panel3D1(1)->Visible());
    QVERIFY(!form->Panel3D1(2)->Visible());
    QVERIFY(!form->Panel3D1(3)->Visible());
    QVERIFY(form->Panel3D7->FontBold());
    QVERIFY(!form->Panel3D8->FontBold());
    QVERIFY(!form->Panel3D9->FontBold());
}

void WindowTest::headersSwitchPages()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = startForm();
    const struct {
        Panel3D* header;
        int page;
    } steps[] = {{form->Panel3D8, 2}, {form->Panel3D8, 2}, {form->Panel3D9, 3}, {form->Panel3D7, 1},
                 {form->Panel3D7, 1}, {form->Panel3D9, 3}, {form->Panel3D8, 2}};
    for (const auto& step : steps) {
        click(step.header);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(form->Panel3D1(i)->Visible(), i == step.page);
        QCOMPARE(form->Panel3D7->FontBold(), step.page == 1);
        QCOMPARE(form->Panel3D8->FontBold(), step.page == 2);
        QCOMPARE(form->Panel3D9->FontBold(), step.page == 3);
        // The count group and the two big buttons stand outside the pages.
        QVERIFY(form->Panel3D2->isVisible() && form->Command3D5->isVisible() && form->Command3D6->isVisible());
    }
}

void WindowTest::switchingPagesKeepsThePageAsItWas()
{
    CardFolder folder;
    folder.picture(QStringLiteral("sol.gif"));
    folder.picture(QStringLiteral("båt.bmp"));
    folder.writeIni(cardFile(3, 2, 0, {"sol.gif", "", "sol", "", "båt.bmp", "", "båt", "", "", "", "", ""}));
    auto form = startForm();
    clickRow(form->List1(0), 1);
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("båt.bmp"));
    QTest::keyClicks(form->Text1(0), QStringLiteral("halvskriven"));

    click(form->Panel3D9);
    QVERIFY(!form->List1(0)->isVisible());
    click(form->Panel3D7);

    QCOMPARE(form->List1(0)->rows(), QStringList({"sol.gif", "båt.bmp"}));
    QCOMPARE(form->List1(1)->rows(), QStringList({"sol", "båt"}));
    QCOMPARE(form->List1(0)->ListIndex(), 1);
    QCOMPARE(form->Text1(0)->Text(), QStringLiteral("halvskriven"));
    QVERIFY(form->SSOption1(2)->Value());
    QCOMPARE(form->Image3(0)->pictureFile(), QStringLiteral("båt.bmp"));
    QVERIFY(form->List1(0)->isVisible());
}

// The shown page lies above the headers and covers their lower 135 twips (9 pixels):
// a click there lands on the page and switches nothing.
void WindowTest::pageCoversTheLowerBandOfTheHeaders()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = startForm();
    for (Panel3D* header : {form->Panel3D8, form->Panel3D9}) {
        const QPoint band(header->width() / 2, header->height() - 4);
        const QPoint inWindow = header->mapTo(form.get(), band);
        QWidget* hit = form->childAt(inWindow);
        QVERIFY(hit == form->Panel3D1(1) || form->Panel3D1(1)->isAncestorOf(hit));
        clickAt(header, band);
        QVERIFY(form->Panel3D1(1)->Visible());
        QVERIFY(!header->FontBold());

        const QPoint above(header->width() / 2, header->height() - 12);
        QCOMPARE(form->childAt(header->mapTo(form.get(), above)), header);
    }
    QCOMPARE(form->Panel3D1(1)->y() - form->Panel3D7->y(), 480 / 15);
    QCOMPARE(form->Panel3D7->geometry().bottom() + 1 - form->Panel3D1(1)->y(), 135 / 15);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
