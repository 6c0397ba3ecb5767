// The controls of the supervisor's window, at their design positions (twips, relative
// to their container), with their captions, colours, bevels and fonts.

#include "supervisor/Form1.h"
#include "supervisor/HelpTexts.h"

#include "forms/Fonts.h"
#include "forms/Twips.h"

#include "settings/Windows1252.h"

#include <QPainter>
#include <QPalette>

namespace supervisor {

namespace {

using forms::Panel3D;

const QColor kLightYellow(255, 255, 128);
const QColor kLightGrey(192, 192, 192);
const QColor kButtonFace(192, 192, 192);

template <class Control>
Control* make(QWidget* parent, const QString& name, float left, float top, float width, float height)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setBounds(left, top, width, height);
    return control;
}

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

forms::Label* label(QWidget* parent, const QString& name, float left, float top, float width,
                    float height, const QString& caption)
{
    auto* l = make<forms::Label>(parent, name, left, top, width, height);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    l->setCaption(caption);
    return l;
}

NumberColumn* numberColumn(QWidget* parent, const QString& name, float left)
{
    auto* column = make<NumberColumn>(parent, name, left, 520, 255, 2535);
    column->setFont(forms::arial(9.75, true));
    column->setCaption(QStringLiteral("1 2 3 4 5 6 7 8 9 10"));
    return column;
}

Panel3D* insetFrame(QWidget* parent, const QString& name, float left)
{
    auto* frame = make<Panel3D>(parent, name, left, 480, 1815, 2490);
    frame->setBevel(Panel3D::Bevel::Inset);
    return frame;
}

Panel3D* greyGroup(QWidget* parent, const QString& name, float left, float width)
{
    auto* group = make<Panel3D>(parent, name, left, 3120, width, 1815);
    group->setBevel(Panel3D::Bevel::RaisedAndInset);
    group->setBackground(kLightGrey);
    return group;
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    bygg_fonstret();
    koppla_handelser();
}

Form1::~Form1()
{
    delete Form2.data();
}

void Form1::bygg_fonstret()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kortvy handledarsektion"));
    resize(forms::toPixels(9645), forms::toPixels(6825));
    setFont(forms::msSansSerif(8.25, true));
    // The window's own background is painted in paintEvent, so that the controls keep the
    // system colours. Button face is the classic light grey, the grey of the tab strips
    // that join the pages to their headers.
    QPalette colours = palette();
    colours.setColor(QPalette::Button, kButtonFace);
    setPalette(colours);

    // The headers first: the pages, made after them, lie above them and cover their
    // lower 135 twips, so the headers stand on the page like tabs.
    const struct {
        Panel3D** header;
        const char* name;
        float left;
        const char* caption;
        bool bold;
    } headers[] = {
        {&Panel3D7, "Panel3D7", 1440, "Övre skärmdel", true},
        {&Panel3D8, "Panel3D8", 4080, "Undre skärmdel", false},
        {&Panel3D9, "Panel3D9", 6720, "Hjälp", false},
    };
    for (const auto& h : headers) {
        *h.header = make<Panel3D>(this, QLatin1String(h.name), h.left, 240, 2655, 615);
        (*h.header)->setBevel(Panel3D::Bevel::Raised);
        (*h.header)->setCaptionFont(forms::msSansSerif(11.89, h.bold));
        (*h.header)->setCaption(QString::fromUtf8(h.caption));
    }

    for (int i = 1; i <= 3; ++i) {
        auto* page = make<Panel3D>(this, indexed("Panel3D1", i), 1440, 720, 7935, 5895);
        page->setBevel(Panel3D::Bevel::Raised);
        page->setBackground(palette().color(QPalette::Button));
        page->setVisible(i == 1);
        Panel3D1.set(i, page);
    }

    Panel3D2 = make<Panel3D>(this, QStringLiteral("Panel3D2"), 240, 2160, 1095, 1815);
    Panel3D2->setCaptionPlace(Panel3D::CaptionPlace::Top);
    // The stored caption size, 3.72 points, cannot be read on a screen; the group's title
    // is drawn in the window's size instead, shrunk if it does not fit.
    Panel3D2->setCaptionFont(forms::arial(8.25, true));
    Panel3D2->setCaption(QStringLiteral("Välj antal kort"));
    const char* counts[] = {"  3 kort", "  5 kort", "10 kort"};
    for (int i = 0; i < 3; ++i) {
        auto* option = make<forms::Option3D>(Panel3D2, indexed("Option3D1", i), 120, 600 + 360 * i, 855, 255);
        option->setCaptionFont(forms::msSansSerif(24.27, true));
        option->setCaption(QLatin1String(counts[i]));
        Option3D1.set(i, option);
    }
    Option3D1(0)->setValue(true);

    Command3D5 = make<forms::Button3D>(this, QStringLiteral("Command3D5"), 240, 4200, 1095, 1095);
    Command3D5->setFont(forms::msSansSerif(9.75, true));
    Command3D5->setCaption(QStringLiteral("Spara"));
    Command3D6 = make<forms::Button3D>(this, QStringLiteral("Command3D6"), 240, 5520, 1095, 1095);
    Command3D6->setFont(forms::msSansSerif(9.75, true));
    Command3D6->setCaption(QStringLiteral("Avbryt"));

    bygg_sida(0);
    bygg_sida(1);
    bygg_hjalpsidan();
}

// Pages 1 and 2 ("Övre skärmdel", "Undre skärmdel") share one layout; p is 0 or 1.
void Form1::bygg_sida(int p)
{
    Panel3D* page = Panel3D1(p + 1);
    const int bilder = p == 0 ? 0 : 2;  // the page's picture list
    const int texter = bilder + 1;      // the page's text list
    const QFont listFont = forms::msSansSerif(9.75, true);

    auto* strip = make<TabStrip>(page, p == 0 ? QStringLiteral("Image2") : indexed("Image1", 1),
                                 p == 0 ? 8 : 2655, 0, 2625, 65);
    if (p == 0)
        Image2 = strip;
    else
        Image1.set(1, strip);

    // The file list, in its frame.
    Panel3D6.set(3 * p, insetFrame(page, indexed("Panel3D6", 3 * p), 480));
    auto* files = make<forms::FileList>(Panel3D6(3 * p), indexed("File1", p), 25, p == 0 ? 25 : 30, 1760, 2430);
    files->setFont(listFont);
    files->setPattern(QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg"));
    // Only names that kortvy.ini can hold are offered.
    files->setNameRule([](const QString& name) { return settings::canStore(name); });
    File1.set(p, files);
    const QString row = p == 0 ? QStringLiteral("övre skärmdel") : QStringLiteral("undre skärmdel");
    files->setAccessibleName(QStringLiteral("Bildfiler, %1").arg(row));

    // The chosen pictures, with their numbers.
    Label10.set(2 * p, label(page, indexed("Label10", 2 * p), 3120, 240, 1935, 255, QStringLiteral("Valda Bilder")));
    Label1.set(p, numberColumn(page, indexed("Label1", p), 2700));
    Panel3D6.set(3 * p + 1, insetFrame(page, indexed("Panel3D6", 3 * p + 1), 3060));
    auto* pictures = make<forms::ListBox>(Panel3D6(3 * p + 1), indexed("List1", bilder), 30, 30, 1755, 2430);
    pictures->setFont(listFont);
    List1.set(bilder, pictures);
    pictures->setAccessibleName(QStringLiteral("Valda bilder, %1").arg(row));

    // The chosen texts, with their numbers.
    Label10.set(2 * p + 1,
                label(page, indexed("Label10", 2 * p + 1), 5640, 240, 1935, 255, QStringLiteral("Valda Texter")));
    Label8.set(p, numberColumn(page, indexed("Label8", p), 5300));
    Panel3D6.set(3 * p + 2, insetFrame(page, indexed("Panel3D6", 3 * p + 2), 5640));
    auto* texts = make<forms::ListBox>(Panel3D6(3 * p + 2), indexed("List1", texter), 30, 30, 1755, 2430);
    texts->setFont(listFont);
    List1.set(texter, texts);
    texts->setAccessibleName(QStringLiteral("Valda texter, %1").arg(row));

    auto* box = make<forms::TextBox>(page, indexed("Text1", p), 5640, 3000, 1815, 375);
    box->setFont(forms::arial(11.25, true));
    box->setCharacterRule([](QChar c) { return settings::canStore(c); });
    Text1.set(p, box);
    box->setAccessibleName(QStringLiteral("Ny text, %1").arg(row));
    auto* add = make<forms::Button3D>(page, indexed("SSCommand2", p), 5640, 3360, 1815, 375);
    add->setCaption(QStringLiteral("Lägg till text"));
    SSCommand2.set(p, add);

    // "Typ av kort": the card type of the page's row.
    SSPanel2.set(p, greyGroup(page, indexed("SSPanel2", p), 480, 1815));
    const int labelIndex = p == 0 ? 1 : 0;
    Label9.set(labelIndex, label(SSPanel2(p), indexed("Label9", labelIndex), 360, 240, 1095, 255,
                                 QStringLiteral("Typ av kort")));
    const char* types[] = {"Text", "Bild", "Text + Bild"};
    for (int i = 0; i < 3; ++i) {
        const int index = 3 * p + i;
        auto* option = make<forms::Option3D>(SSPanel2(p), indexed("SSOption1", index), 240, 480 + 360 * i, 1335, 375);
        option->setCaptionFont(forms::msSansSerif(8.24, true));
        option->setCaption(QLatin1String(types[i]));
        SSOption1.set(index, option);
    }
    // At design time "Text" is chosen on the upper page and "Bild" on the lower one.
    SSOption1(p == 0 ? 0 : 4)->setValue(true);

    // The preview.
    SSPanel1.set(p, greyGroup(page, indexed("SSPanel1", p), 3000, 1935));
    Image3.set(p, make<forms::Image>(SSPanel1(p), indexed("Image3", p), 120, 120, 1695, 1575));
    Image3(p)->setAccessibleDescription(QStringLiteral("Förhandsvisning, %1").arg(row));

    if (p == 1) {
        const char* captions[] = {"Kopiera bilder från Övre skärmdel", "Kopiera texter från Övre skärmdel"};
        for (int i = 0; i < 2; ++i) {
            auto* copy = make<CommandButton>(page, indexed("Command1", i), i == 0 ? 3060 : 5640, 5040, 1815, 615);
            copy->setFont(forms::arial(8.25, true));
            copy->setCaption(QString::fromUtf8(captions[i]));
            Command1.set(i, copy);
        }
    }
}

void Form1::bygg_hjalpsidan()
{
    Panel3D* page = Panel3D1(3);
    Image1.set(0, make<TabStrip>(page, indexed("Image1", 0), 5295, 0, 2625, 65));

    QPalette helpColours = palette();
    helpColours.setColor(QPalette::Window, helpColours.color(QPalette::Base));
    helpColours.setColor(QPalette::WindowText, helpColours.color(QPalette::Text));

    const struct {
        Panel3D** frame;
        const char* frameName;
        float left;
        float width;
        int titleIndex;
        const char* title;
        forms::Label** text;
        const char* textName;
        const QString& help;
    } frames[] = {
        {&Panel3D3, "Panel3D3", 240, 2370, 0, "Steg 1:", &Label2, "Label2", kHelpText1},
        {&Panel3D5, "Panel3D5", 2805, 2370, 1, "Steg 2:", &Label5, "Label5", kHelpText2},
        {&Panel3D4, "Panel3D4", 5355, 2310, 3, "Steg 3:", &Label6, "Label6", kHelpText3},
    };
    for (const auto& f : frames) {
        *f.frame = make<Panel3D>(page, QLatin1String(f.frameName), f.left, 480, f.width, 4530);
        (*f.frame)->setBevel(Panel3D::Bevel::Inset);
        forms::Label* title = label(*f.frame, indexed("Label7", f.titleIndex), 30, 30, f.width - 75, 375,
                                    QString::fromUtf8(f.title));
        title->setFont(forms::msSansSerif(12, true));
        Label7.set(f.titleIndex, title);
        *f.text = label(*f.frame, QLatin1String(f.textName), 30, 360, f.width - 75, 4120, f.help);
        for (forms::Label* l : {title, *f.text}) {
            l->setPalette(helpColours);
            l->setAutoFillBackground(true);
        }
    }
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kLightYellow);
}

} // namespace supervisor
