// The supervisor's window: controls, captions, fonts, colours, the tab strips, the
// stacking of pages over headers, and switching pages.

#include "tests/supervisor/SupervisorTestSupport.h"

#include "forms/Fonts.h"
#include "forms/Geometry.h"
#include "forms/Twips.h"
#include "supervisor/NumberColumn.h"
#include "supervisor/TabStrip.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace supervisortest;
using forms::Panel;

namespace {

QString captionOf(QWidget* w)
{
    if (auto* panel = dynamic_cast<Panel*>(w))
        return panel->caption();
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
    void controlsStandWhereTheyBelong();
    void twipsAreFifteenToAPixel();
    void captions();
    void fonts();
    void coloursAndBevels();
    void tabStrips();
    void numberColumnsStandBesideTheRows();
    void screenReaderNamesTheMainControls();
    void headersSwitchPages();
    void switchingPagesKeepsThePageAsItWas();
    void pageCoversTheLowerBandOfTheHeaders();
};

// Every control at its place in twips within its container. Where an entry names several
// controls they share the place; with as many containers, each stands in its own.
void WindowTest::controlsStandWhereTheyBelong()
{
    const char* const pages = "Panel3D1(1) Panel3D1(2)";
    const struct {
        const char* names;
        const char* containers;
        float l, t, w, h;
    } places[] = {
        {"Panel3D7", "Form1", 1440, 240, 2655, 615},
        {"Panel3D8", "Form1", 4080, 240, 2655, 615},
        {"Panel3D9", "Form1", 6720, 240, 2655, 615},
        {"Panel3D1(1) Panel3D1(2) Panel3D1(3)", "Form1", 1440, 720, 7935, 5895},
        {"Panel3D2", "Form1", 240, 2160, 1095, 1815},
        {"Option3D1(0)", "Panel3D2", 120, 600, 855, 255},
        {"Option3D1(1)", "Panel3D2", 120, 960, 855, 255},
        {"Option3D1(2)", "Panel3D2", 120, 1320, 855, 255},
        {"Command3D5", "Form1", 240, 4200, 1095, 1095},
        {"Command3D6", "Form1", 240, 5520, 1095, 1095},
        // The two editing pages.
        {"Image2", "Panel3D1(1)", 8, 0, 2625, 65},
        {"Image1(1)", "Panel3D1(2)", 2655, 0, 2625, 65},
        {"Panel3D6(0) Panel3D6(3)", pages, 480, 480, 1815, 2490},
        {"File1(0)", "Panel3D6(0)", 25, 25, 1760, 2430},
        {"File1(1)", "Panel3D6(3)", 25, 30, 1760, 2430},
        {"Label10(0) Label10(2)", pages, 3120, 240, 1935, 255},
        {"Label1(0) Label1(1)", pages, 2700, 520, 255, 2535},
        {"Panel3D6(1) Panel3D6(4)", pages, 3060, 480, 1815, 2490},
        {"List1(0) List1(2)", "Panel3D6(1) Panel3D6(4)", 30, 30, 1755, 2430},
        {"Label10(1) Label10(3)", pages, 5640, 240, 1935, 255},
        {"Label8(0) Label8(1)", pages, 5300, 520, 255, 2535},
        {"Panel3D6(2) Panel3D6(5)", pages, 5640, 480, 1815, 2490},
        {"List1(1) List1(3)", "Panel3D6(2) Panel3D6(5)", 30, 30, 1755, 2430},
        {"Text1(0) Text1(1)", pages, 5640, 3000, 1815, 375},
        {"SSCommand2(0) SSCommand2(1)", pages, 5640, 3360, 1815, 375},
        {"SSPanel2(0) SSPanel2(1)", pages, 480, 3120, 1815, 1815},
        {"Label9(1) Label9(0)", "SSPanel2(0) SSPanel2(1)", 360, 240, 1095, 255},
        {"SSOption1(0) SSOption1(3)", "SSPanel2(0) SSPanel2(1)", 240, 480, 1335, 375},
        {"SSOption1(1) SSOption1(4)", "SSPanel2(0) SSPanel2(1)", 240, 840, 1335, 375},
        {"SSOption1(2) SSOption1(5)", "SSPanel2(0) SSPanel2(1)", 240, 1200, 1335, 375},
        {"SSPanel1(0) SSPanel1(1)", pages, 3000, 3120, 1935, 1815},
        {"Image3(0) Image3(1)", "SSPanel1(0) SSPanel1(1)", 120, 120, 1695, 1575},
        {"Command1(0)", "Panel3D1(2)", 3060, 5040, 1815, 615},
        {"Command1(1)", "Panel3D1(2)", 5640, 5040, 1815, 615},
        // The help page.
        {"Image1(0)", "Panel3D1(3)", 5295, 0, 2625, 65},
        {"Panel3D3", "Panel3D1(3)", 240, 480, 2370, 4530},
        {"Panel3D5", "Panel3D1(3)", 2805, 480, 2370, 4530},
        {"Panel3D4", "Panel3D1(3)", 5355, 480, 2310, 4530},
        {"Label7(0) Label7(1)", "Panel3D3 Panel3D5", 30, 30, 2295, 375},
        {"Label7(3)", "Panel3D4", 30, 30, 2235, 375},
        {"Label2 Label5", "Panel3D3 Panel3D5", 30, 360, 2295, 4120},
        {"Label6", "Panel3D4", 30, 360, 2235, 4120},
    };
    SupervisorWindow form;
    QStringList misplaced;
    for (const auto& place : places) {
        const QStringList names = QString::fromLatin1(place.names).split(u' ');
        const QStringList containers = QString::fromLatin1(place.containers).split(u' ');
        for (int i = 0; i < names.size(); ++i) {
            QWidget* w = control(form, names[i]);
            const runtime::TwipsRect g = dynamic_cast<const forms::Geometry*>(w)->twips();
            const QString where = QStringLiteral("%1 in %2 at %3, %4, %5 × %6");
            const QString at = where.arg(names[i], w->parentWidget()->objectName())
                                   .arg(g.left).arg(g.top).arg(g.width).arg(g.height);
            const QString wanted = where.arg(names[i], containers[containers.size() > 1 ? i : 0])
                                       .arg(place.l).arg(place.t).arg(place.w).arg(place.h);
            if (at != wanted)
                misplaced << at + QStringLiteral(", not ") + wanted;
        }
    }
    QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(u'\n')));
}

// A control's place in the window, in pixels, is its place in twips over all its
// containers, divided by 15.
void WindowTest::twipsAreFifteenToAPixel()
{
    SupervisorWindow form;
    QCOMPARE(form.size(), QSize(643, 455));
    const struct {
        QWidget* w;
        QRect pixels;
    } cases[] = {
        {list(form, 0), QRect(302, 82, 117, 162)},
        {preview(form, 1), QRect(304, 264, 113, 105)},
        {countOption(form, 2), QRect(24, 232, 57, 17)},
        // 360 and 4120 twips are no whole pixels; the edges are rounded, not the height.
        {widget(form, "Label6"), QRect(455, 104, 149, 275)},
    };
    for (const auto& c : cases)
        QCOMPARE(QRect(c.w->mapTo(&form, QPoint()), c.w->size()), c.pixels);
}

// Every caption, the help texts included, character for character.
void WindowTest::captions()
{
    const struct {
        const char* names;
        QString caption;
    } captions[] = {
        {"Panel3D7", QStringLiteral("Övre skärmdel")},
        {"Panel3D8", QStringLiteral("Undre skärmdel")},
        {"Panel3D9", QStringLiteral("Hjälp")},
        {"Panel3D2", QStringLiteral("Välj antal kort")},
        {"Option3D1(0)", QStringLiteral("  3 kort")},
        {"Option3D1(1)", QStringLiteral("  5 kort")},
        {"Option3D1(2)", QStringLiteral("10 kort")},
        {"Command3D5", QStringLiteral("Spara")},
        {"Command3D6", QStringLiteral("Avbryt")},
        {"Label10(0) Label10(2)", QStringLiteral("Valda Bilder")},
        {"Label10(1) Label10(3)", QStringLiteral("Valda Texter")},
        {"Label1(0) Label1(1) Label8(0) Label8(1)", QStringLiteral("1 2 3 4 5 6 7 8 9 10")},
        {"SSCommand2(0) SSCommand2(1)", QStringLiteral("Lägg till text")},
        {"Label9(0) Label9(1)", QStringLiteral("Typ av kort")},
        {"SSOption1(0) SSOption1(3)", QStringLiteral("Text")},
        {"SSOption1(1) SSOption1(4)", QStringLiteral("Bild")},
        {"SSOption1(2) SSOption1(5)", QStringLiteral("Text + Bild")},
        {"Command1(0)", QStringLiteral("Kopiera bilder från Övre skärmdel")},
        {"Command1(1)", QStringLiteral("Kopiera texter från Övre skärmdel")},
        {"Label7(0)", QStringLiteral("Steg 1:")},
        {"Label7(1)", QStringLiteral("Steg 2:")},
        {"Label7(3)", QStringLiteral("Steg 3:")},
        {"Label2", kText1},
        {"Label5", kText2},
        {"Label6", kText3},
        {"Panel3D1(1) Panel3D1(2) Panel3D1(3) Panel3D6(0) SSPanel2(0) SSPanel1(1) Panel3D3 Panel3D5 Panel3D4", QString()},
    };
    SupervisorWindow form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Kortvy handledarsektion"));
    for (const auto& c : captions) {
        for (const QString& name : QString::fromLatin1(c.names).split(u' '))
            QCOMPARE(name + u'=' + captionOf(control(form, name)), name + u'=' + c.caption);
    }
}

void WindowTest::fonts()
{
    using forms::arial;
    using forms::msSansSerif;
    SupervisorWindow form;
    // Label7 has no index 2.
    QVERIFY(!form.findChild<QWidget*>(QStringLiteral("Label7(2)")));

    QStringList wrong;
    const auto expect = [&wrong](const QString& what, const QFont& f, const QFont& expected) {
        if (f.family() != expected.family() || qAbs(f.pointSizeF() - expected.pointSizeF()) >= 0.01
            || f.bold() != expected.bold())
            wrong << QStringLiteral("%1: %2 %3 %4").arg(what, f.family()).arg(f.pointSizeF()).arg(f.bold());
    };
    expect("Form1", form.font(), msSansSerif(8.25, true));
    expect("Panel3D7", panel(form, "Panel3D7")->captionFont(), msSansSerif(11.89, true));
    expect("Panel3D8", panel(form, "Panel3D8")->captionFont(), msSansSerif(11.89, false));
    expect("Panel3D9", panel(form, "Panel3D9")->captionFont(), msSansSerif(11.89, false));
    expect("Panel3D2", panel(form, "Panel3D2")->captionFont(), arial(8.25, true));
    for (int i = 0; i < 6; ++i)
        expect(displayOption(form, i)->objectName(), displayOption(form, i)->captionFont(), msSansSerif(8.24, true));
    for (int i = 0; i < 3; ++i)
        expect(countOption(form, i)->objectName(), countOption(form, i)->captionFont(), msSansSerif(24.27, true));
    const auto expectAll = [&expect](std::initializer_list<QWidget*> controls, const QFont& expected) {
        for (QWidget* w : controls)
            expect(w->objectName(), w->font(), expected);
    };
    expectAll({widget(form, "Command3D5"), widget(form, "Command3D6"), files(form, 0), files(form, 1), list(form, 0), list(form, 1),
               list(form, 2), list(form, 3)},
              msSansSerif(9.75, true));
    expectAll({widget(form, "Label1(0)"), widget(form, "Label1(1)"), widget(form, "Label8(0)"), widget(form, "Label8(1)")}, arial(9.75, true));
    expectAll({textBox(form, 0), textBox(form, 1)}, arial(11.25, true));
    expectAll({widget(form, "SSCommand2(0)"), widget(form, "SSCommand2(1)"), widget(form, "Label2"), widget(form, "Label5"), widget(form, "Label6")}, msSansSerif(8.25, true));
    expectAll({widget(form, "Command1(0)"), widget(form, "Command1(1)")}, arial(8.25, true));
    expectAll({widget(form, "Label7(0)"), widget(form, "Label7(1)"), widget(form, "Label7(3)")}, msSansSerif(12, true));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));

    for (const char* name : {"Label2", "Label5", "Label6"})
        QVERIFY(control<QLabel>(form, QLatin1String(name))->wordWrap());
    for (int i = 0; i < 3; ++i) {
        // The design size is higher than the option; the caption is shown at a size that fits.
        QVERIFY(QFontMetrics(countOption(form, i)->font()).height() <= countOption(form, i)->height());
        QVERIFY(countOption(form, i)->font().bold());
    }
}

void WindowTest::coloursAndBevels()
{
    SupervisorWindow form;
    const QImage shot = form.grab().toImage();
    QCOMPARE(shot.pixelColor(5, 5), QColor(255, 255, 128));
    QCOMPARE(shot.pixelColor(640, 450), QColor(255, 255, 128));

    const QColor buttonFace = form.palette().color(QPalette::Button);
    const QColor grey(192, 192, 192);
    const struct {
        QList<Panel*> panels;
        Panel::Bevel bevel;
        QColor background;  // invalid: not checked
    } panels[] = {
        {{panel(form, "Panel3D1(1)"), panel(form, "Panel3D1(2)"), panel(form, "Panel3D1(3)")}, Panel::Bevel::Raised, buttonFace},
        {{panel(form, "Panel3D7"), panel(form, "Panel3D8"), panel(form, "Panel3D9")}, Panel::Bevel::Raised, {}},
        {{panel(form, "Panel3D6(0)"), panel(form, "Panel3D6(1)"), panel(form, "Panel3D6(2)"), panel(form, "Panel3D6(3)"), panel(form, "Panel3D6(4)"), panel(form, "Panel3D6(5)"),
          panel(form, "Panel3D3"), panel(form, "Panel3D5"), panel(form, "Panel3D4")},
         Panel::Bevel::Inset, {}},
        {{panel(form, "SSPanel2(0)"), panel(form, "SSPanel2(1)"), panel(form, "SSPanel1(0)"), panel(form, "SSPanel1(1)")}, Panel::Bevel::RaisedAndInset, grey},
    };
    for (const auto& group : panels) {
        for (Panel* panel : group.panels) {
            QVERIFY2(panel->bevel() == group.bevel, qPrintable(panel->objectName()));
            QVERIFY2(!group.background.isValid() || panel->background() == group.background,
                     qPrintable(panel->objectName()));
        }
    }
    for (QLabel* l : {qobject_cast<QLabel*>(widget(form, "Label7(0)")), qobject_cast<QLabel*>(widget(form, "Label7(1)")),
                      qobject_cast<QLabel*>(widget(form, "Label7(3)")), qobject_cast<QLabel*>(widget(form, "Label2")),
                      qobject_cast<QLabel*>(widget(form, "Label5")), qobject_cast<QLabel*>(widget(form, "Label6"))}) {
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
    SupervisorWindow form;
    const struct {
        QWidget* strip;
        QWidget* page;
        Panel* header;
    } strips[] = {
        {widget(form, "Image2"), panel(form, "Panel3D1(1)"), panel(form, "Panel3D7")},
        {widget(form, "Image1(1)"), panel(form, "Panel3D1(2)"), panel(form, "Panel3D8")},
        {widget(form, "Image1(0)"), panel(form, "Panel3D1(3)"), panel(form, "Panel3D9")},
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
    CardFolder folder;
    folder.writeIni(cardFile(10, 1, 0, numberedStrings(10)));
    auto loaded = startForm();
    const SupervisorWindow& form = *loaded;
    QStringList ten;
    for (int n = 1; n <= 10; ++n)
        ten << QString::number(n);
    const struct {
        supervisor::NumberColumn* column;
        forms::ListBox* list;
    } pairs[] = {{control<supervisor::NumberColumn>(form, QStringLiteral("Label1(0)")), list(form, 0)},
                 {control<supervisor::NumberColumn>(form, QStringLiteral("Label8(0)")), list(form, 1)}};
    for (const auto& pair : pairs) {
        QCOMPARE(pair.column->lines(), ten);
        for (int r = 0; r < 10; ++r) {
            const int lineCentre = pair.column->mapTo(&form, QPoint(0, 8 + 16 * r)).y();
            const QRect rowRect = pair.list->visualRect(pair.list->model()->index(r, 0));
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
    QCOMPARE(accessibleName(files(*form, 0)), QStringLiteral("Bildfiler, övre skärmdel"));
    QCOMPARE(accessibleName(list(*form, 0)), QStringLiteral("Valda bilder, övre skärmdel"));
    QCOMPARE(accessibleName(list(*form, 3)), QStringLiteral("Valda texter, undre skärmdel"));
    QCOMPARE(accessibleName(textBox(*form, 1)), QStringLiteral("Ny text, undre skärmdel"));
    QCOMPARE(accessibleName(widget(*form, "Command3D5")), QStringLiteral("Spara"));
    QCOMPARE(accessibleName(widget(*form, "Command3D6")), QStringLiteral("Avbryt"));
    QCOMPARE(accessibleName(widget(*form, "SSCommand2(0)")), QStringLiteral("Lägg till text"));
    QCOMPARE(accessibleName(widget(*form, "Command1(1)")), QStringLiteral("Kopiera texter från Övre skärmdel"));
    QCOMPARE(accessibleName(countOption(*form, 1)), QStringLiteral("  5 kort"));
    QCOMPARE(accessibleName(displayOption(*form, 5)), QStringLiteral("Text + Bild"));
    QCOMPARE(accessibleName(panel(*form, "Panel3D8")), QStringLiteral("Undre skärmdel"));
}

// The tool opens on page 1 with only its header bold, over the backdrop; the headers
// switch pages, and a click on the shown page's header keeps it.
void WindowTest::headersSwitchPages()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = loadForm();
    QVERIFY(form->backdrop() && form->backdrop()->isVisible());
    QCOMPARE(form->backdrop()->geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(form->backdrop()->palette().color(QPalette::Window), QColor(0, 0, 0));
    // The window itself is shown only after the load handler.
    QVERIFY(!form->isVisible());

    const Panel* headers[] = {panel(*form, "Panel3D7"), panel(*form, "Panel3D8"), panel(*form, "Panel3D9")};
    const auto onPage = [&](int page) {
        for (int i = 1; i <= 3; ++i) {
            if (!panel(*form, qPrintable(QStringLiteral("Panel3D1(%1)").arg(i)))->isHidden() != (i == page) || headers[i - 1]->captionFont().bold() != (i == page))
                return false;
        }
        // The count group and the two big buttons stand outside the pages.
        return !form->isVisible()
            || (panel(*form, "Panel3D2")->isVisible() && widget(*form, "Command3D5")->isVisible() && widget(*form, "Command3D6")->isVisible());
    };
    QVERIFY(onPage(1));
    forms::showCentred(form.get());
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const struct {
        Panel* header;
        int page;
    } steps[] = {{panel(*form, "Panel3D8"), 2}, {panel(*form, "Panel3D8"), 2}, {panel(*form, "Panel3D9"), 3}, {panel(*form, "Panel3D7"), 1},
                 {panel(*form, "Panel3D7"), 1}, {panel(*form, "Panel3D9"), 3}, {panel(*form, "Panel3D8"), 2}};
    for (const auto& step : steps) {
        click(step.header);
        QVERIFY2(onPage(step.page), qPrintable(step.header->objectName()));
    }
}

void WindowTest::switchingPagesKeepsThePageAsItWas()
{
    CardFolder folder;
    folder.picture(QStringLiteral("sol.gif"));
    folder.picture(QStringLiteral("båt.bmp"));
    folder.writeIni(cardFile(3, 2, 0, {"sol.gif", "", "sol", "", "båt.bmp", "", "båt", "", "", "", "", ""}));
    auto form = startForm();
    clickRow(list(*form, 0), 1);
    QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("båt.bmp"));
    QTest::keyClicks(textBox(*form, 0), QStringLiteral("halvskriven"));

    click(panel(*form, "Panel3D9"));
    QVERIFY(!list(*form, 0)->isVisible());
    click(panel(*form, "Panel3D7"));

    QCOMPARE(list(*form, 0)->rows(), QStringList({"sol.gif", "båt.bmp"}));
    QCOMPARE(list(*form, 1)->rows(), QStringList({"sol", "båt"}));
    QCOMPARE(list(*form, 0)->selectedRow(), 1);
    QCOMPARE(textBox(*form, 0)->text(), QStringLiteral("halvskriven"));
    QVERIFY(displayOption(*form, 2)->isChecked());
    QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("båt.bmp"));
    QVERIFY(list(*form, 0)->isVisible());
}

// The shown page lies above the headers and covers their lower 135 twips (9 pixels):
// a click there lands on the page and switches nothing.
void WindowTest::pageCoversTheLowerBandOfTheHeaders()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
    auto form = startForm();
    for (Panel* header : {panel(*form, "Panel3D8"), panel(*form, "Panel3D9")}) {
        const QPoint band(header->width() / 2, header->height() - 4);
        const QPoint inWindow = header->mapTo(form.get(), band);
        QWidget* hit = form->childAt(inWindow);
        QVERIFY(hit == panel(*form, "Panel3D1(1)") || panel(*form, "Panel3D1(1)")->isAncestorOf(hit));
        clickAt(header, band);
        QVERIFY(!panel(*form, "Panel3D1(1)")->isHidden());
        QVERIFY(!header->captionFont().bold());

        const QPoint above(header->width() / 2, header->height() - 12);
        QCOMPARE(form->childAt(header->mapTo(form.get(), above)), header);
    }
    QCOMPARE(panel(*form, "Panel3D1(1)")->y() - panel(*form, "Panel3D7")->y(), 480 / 15);
    QCOMPARE(panel(*form, "Panel3D7")->geometry().bottom() + 1 - panel(*form, "Panel3D1(1)")->y(), 135 / 15);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
