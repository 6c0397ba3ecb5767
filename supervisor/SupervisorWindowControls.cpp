// The controls of the supervisor's window, at their design positions (twips, relative
// to their container), with their captions, colours, bevels and fonts.

#include "supervisor/SupervisorWindow.h"

#include "supervisor/CommandButton.h"
#include "supervisor/HelpTexts.h"
#include "supervisor/NumberColumn.h"
#include "supervisor/TabStrip.h"

#include "forms/PictureButton.h"
#include "forms/FileList.h"
#include "forms/Fonts.h"
#include "forms/PictureBox.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/Panel.h"
#include "forms/TextBox.h"
#include "forms/Twips.h"
#include "settings/Storable.h"

#include <QPainter>
#include <QPalette>

namespace supervisor {

namespace {

using forms::Panel;

const QColor kLightYellow(255, 255, 128);
const QColor kLightGrey(192, 192, 192);
const QColor kButtonFace(192, 192, 192);

template <class Control>
Control* make(QWidget* parent, const QString& name, float left, float top, float width, float height)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setTwips({left, top, width, height});
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
    l->setText(caption);
    return l;
}

NumberColumn* numberColumn(QWidget* parent, const QString& name, float left)
{
    auto* column = make<NumberColumn>(parent, name, left, 520, 255, 2535);
    column->setFont(forms::arial(9.75, true));
    column->setText(QStringLiteral("1 2 3 4 5 6 7 8 9 10"));
    return column;
}

Panel* insetFrame(QWidget* parent, const QString& name, float left)
{
    auto* frame = make<Panel>(parent, name, left, 480, 1815, 2490);
    frame->setBevel(Panel::Bevel::Inset);
    return frame;
}

Panel* greyGroup(QWidget* parent, const QString& name, float left, float width)
{
    auto* group = make<Panel>(parent, name, left, 3120, width, 1815);
    group->setBevel(Panel::Bevel::RaisedAndInset);
    group->setBackground(kLightGrey);
    return group;
}

} // namespace

SupervisorWindow::SupervisorWindow(QWidget* parent)
    : app::MainWindow(parent)
{
    buildWindow();
    connectControls();
}

void SupervisorWindow::buildWindow()
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
        const char* name;
        float left;
        const char* caption;
        bool bold;
    } headers[] = {
        {"Panel3D7", 1440, "Övre skärmdel", true},
        {"Panel3D8", 4080, "Undre skärmdel", false},
        {"Panel3D9", 6720, "Hjälp", false},
    };
    for (int i = 0; i < 3; ++i) {
        m_headers[i] = make<Panel>(this, QLatin1String(headers[i].name), headers[i].left, 240, 2655, 615);
        m_headers[i]->setBevel(Panel::Bevel::Raised);
        m_headers[i]->setCaptionFont(forms::msSansSerif(11.89, headers[i].bold));
        m_headers[i]->setCaption(QString::fromUtf8(headers[i].caption));
        // Reached with Tab, not by a click, so the mouse leaves the focus where it was.
        m_headers[i]->setFocusPolicy(Qt::TabFocus);
    }

    for (int i = 0; i < 3; ++i) {
        m_pages[i] = make<Panel>(this, indexed("Panel3D1", i + 1), 1440, 720, 7935, 5895);
        m_pages[i]->setBevel(Panel::Bevel::Raised);
        m_pages[i]->setBackground(palette().color(QPalette::Button));
        m_pages[i]->setVisible(i == 0);
    }

    auto* countGroup = make<Panel>(this, QStringLiteral("Panel3D2"), 240, 2160, 1095, 1815);
    countGroup->setCaptionPlace(Panel::CaptionPlace::Top);
    // The stored caption size, 3.72 points, cannot be read on a screen; the group's title
    // is drawn in the window's size instead, shrunk if it does not fit.
    countGroup->setCaptionFont(forms::arial(8.25, true));
    countGroup->setCaption(QStringLiteral("Välj antal kort"));
    const char* counts[] = {"  3 kort", "  5 kort", "10 kort"};
    for (int i = 0; i < 3; ++i) {
        auto* option = make<forms::OptionButton>(countGroup, indexed("Option3D1", i), 120, 600 + 360 * i, 855, 255);
        option->setCaptionFont(forms::msSansSerif(24.27, true));
        option->setCaption(QLatin1String(counts[i]));
        m_countOptions[i] = option;
    }
    m_countOptions[0]->setChosen(true);

    m_saveButton = make<forms::PictureButton>(this, QStringLiteral("Command3D5"), 240, 4200, 1095, 1095);
    m_saveButton->setFont(forms::msSansSerif(9.75, true));
    m_saveButton->setText(QStringLiteral("Spara"));
    m_cancelButton = make<forms::PictureButton>(this, QStringLiteral("Command3D6"), 240, 5520, 1095, 1095);
    m_cancelButton->setFont(forms::msSansSerif(9.75, true));
    m_cancelButton->setText(QStringLiteral("Avbryt"));

    buildRowPage(editor::Row::Upper);
    buildRowPage(editor::Row::Lower);
    buildHelpPage();
}

// The pages of the two rows ("Övre skärmdel", "Undre skärmdel") share one layout.
void SupervisorWindow::buildRowPage(editor::Row row)
{
    const int p = int(row);
    RowPage& controls = m_rowPages[p];
    Panel* page = m_pages[p];
    const int pictureList = int(editor::listOf(row, editor::Kind::Pictures));
    const int textList = int(editor::listOf(row, editor::Kind::Texts));
    const QFont listFont = forms::msSansSerif(9.75, true);

    make<TabStrip>(page, p == 0 ? QStringLiteral("Image2") : indexed("Image1", 1), p == 0 ? 8 : 2655, 0, 2625, 65);

    // The file list, in its frame.
    auto* fileFrame = insetFrame(page, indexed("Panel3D6", 3 * p), 480);
    auto* files = make<forms::FileList>(fileFrame, indexed("File1", p), 25, p == 0 ? 25 : 30, 1760, 2430);
    files->setFont(listFont);
    files->setPattern(QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg"));
    // Only names that a text of kortvy.ini may hold are offered.
    files->setNameRule([](const QString& name) { return settings::typingRefusal(name).isEmpty(); });
    controls.files = files;
    const QString rowName = p == 0 ? QStringLiteral("övre skärmdel") : QStringLiteral("undre skärmdel");
    files->setAccessibleName(QStringLiteral("Bildfiler, %1").arg(rowName));

    // The chosen pictures and the chosen texts, each with its title and its card numbers.
    const struct {
        forms::ListBox** list;
        int listIndex;
        float titleLeft;
        const char* title;
        const char* numbers;
        float numbersLeft;
        float left;
        const char* accessibleName;
    } chosen[] = {
        {&controls.pictures, pictureList, 3120, "Valda Bilder", "Label1", 2700, 3060, "Valda bilder, %1"},
        {&controls.texts, textList, 5640, "Valda Texter", "Label8", 5300, 5640, "Valda texter, %1"},
    };
    for (int i = 0; i < 2; ++i) {
        const auto& c = chosen[i];
        label(page, indexed("Label10", 2 * p + i), c.titleLeft, 240, 1935, 255, QLatin1String(c.title));
        numberColumn(page, indexed(c.numbers, p), c.numbersLeft);
        auto* frame = insetFrame(page, indexed("Panel3D6", 3 * p + 1 + i), c.left);
        auto* list = make<forms::ListBox>(frame, indexed("List1", c.listIndex), 30, 30, 1755, 2430);
        list->setRowsRemovable(true);
        list->setFont(listFont);
        list->setModel(m_editor.model(editor::List(c.listIndex)));
        list->setAccessibleName(QString::fromUtf8(c.accessibleName).arg(rowName));
        *c.list = list;
    }

    controls.newText = make<forms::TextBox>(page, indexed("Text1", p), 5640, 3000, 1815, 375);
    controls.newText->setFont(forms::arial(11.25, true));
    controls.newText->setCharacterRule([](char32_t c) { return settings::typingRefusal(c); });
    controls.newText->setAccessibleName(QStringLiteral("Ny text, %1").arg(rowName));
    controls.addText = make<forms::PictureButton>(page, indexed("SSCommand2", p), 5640, 3360, 1815, 375);
    controls.addText->setText(QStringLiteral("Lägg till text"));

    // "Typ av kort": what the page's row shows.
    auto* displayGroup = greyGroup(page, indexed("SSPanel2", p), 480, 1815);
    label(displayGroup, indexed("Label9", p == 0 ? 1 : 0), 360, 240, 1095, 255, QStringLiteral("Typ av kort"));
    const char* displays[] = {"Text", "Bild", "Text + Bild"};
    for (int i = 0; i < 3; ++i) {
        auto* option = make<forms::OptionButton>(displayGroup, indexed("SSOption1", 3 * p + i), 240, 480 + 360 * i, 1335, 375);
        option->setCaptionFont(forms::msSansSerif(8.24, true));
        option->setCaption(QLatin1String(displays[i]));
        controls.displays[i] = option;
    }

    auto* previewFrame = greyGroup(page, indexed("SSPanel1", p), 3000, 1935);
    controls.preview = make<forms::PictureBox>(previewFrame, indexed("Image3", p), 120, 120, 1695, 1575);
    controls.preview->setAccessibleDescription(QStringLiteral("Förhandsvisning, %1").arg(rowName));

    if (row == editor::Row::Lower) {
        const char* captions[] = {"Kopiera bilder från Övre skärmdel", "Kopiera texter från Övre skärmdel"};
        for (int i = 0; i < 2; ++i) {
            m_copyButtons[i] = make<CommandButton>(page, indexed("Command1", i), i == 0 ? 3060 : 5640, 5040, 1815, 615);
            m_copyButtons[i]->setFont(forms::arial(8.25, true));
            m_copyButtons[i]->setText(QString::fromUtf8(captions[i]));
        }
    }
}

void SupervisorWindow::buildHelpPage()
{
    Panel* page = m_pages[2];
    make<TabStrip>(page, indexed("Image1", 0), 5295, 0, 2625, 65);

    QPalette helpColours = palette();
    helpColours.setColor(QPalette::Window, helpColours.color(QPalette::Base));
    helpColours.setColor(QPalette::WindowText, helpColours.color(QPalette::Text));

    const struct {
        const char* frameName;
        float left;
        float width;
        int titleIndex;
        const char* title;
        const char* textName;
        const QString& help;
    } frames[] = {
        {"Panel3D3", 240, 2370, 0, "Steg 1:", "Label2", kHelpText1},
        {"Panel3D5", 2805, 2370, 1, "Steg 2:", "Label5", kHelpText2},
        {"Panel3D4", 5355, 2310, 3, "Steg 3:", "Label6", kHelpText3},
    };
    for (const auto& f : frames) {
        auto* frame = make<Panel>(page, QLatin1String(f.frameName), f.left, 480, f.width, 4530);
        frame->setBevel(Panel::Bevel::Inset);
        forms::Label* title = label(frame, indexed("Label7", f.titleIndex), 30, 30, f.width - 75, 375,
                                    QString::fromUtf8(f.title));
        title->setFont(forms::msSansSerif(12, true));
        forms::Label* text = label(frame, QLatin1String(f.textName), 30, 360, f.width - 75, 4120, f.help);
        for (forms::Label* l : {title, text}) {
            l->setPalette(helpColours);
            l->setAutoFillBackground(true);
        }
    }
}

void SupervisorWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kLightYellow);
}

} // namespace supervisor
