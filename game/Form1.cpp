#include "game/Form1.h"

#include "game/Shuffle.h"
#include "game/StopSign.h"

#include "forms/Fonts.h"
#include "app/Program.h"
#include "runtime/Random.h"
#include "forms/Twips.h"
#include "settings/CardSetFile.h"
#include "settings/FileError.h"

#include <QCloseEvent>
#include <QPixmap>

namespace game {

namespace {

const QColor kUpperArea(128, 255, 255);
const QColor kLowerArea(255, 255, 128);
const QColor kFrame(255, 0, 0);

// The frame stands this far to the right of the card it marks.
constexpr float kFrameShift = 10;

// Design position of card slot k: two lines of five on a pitch of 1680 twips. The lower
// area's second line stands 120 twips higher than the upper area's.
float slotLeft(int k, float first)
{
    return first + 1680.0f * float(k % 5);
}

QString slotName(const char* array, int k)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k);
}

forms::Panel3D* makeArea(QWidget* parent, const char* name, float top, float height, const QColor& colour)
{
    auto* area = new forms::Panel3D(parent);
    area->setObjectName(QLatin1String(name));
    area->setBevel(forms::Panel3D::Bevel::Raised);
    area->setOutline(false);
    area->setBackground(colour);
    area->setBounds(0, top, 9615, height);
    return area;
}

forms::Image* makePicture(QWidget* area, const char* array, int k, float secondLineTop)
{
    auto* picture = new forms::Image(area);
    picture->setObjectName(slotName(array, k));
    picture->setBorder(true);
    picture->setBounds(slotLeft(k, 360), k < 5 ? 240 : secondLineTop, 1335, 1335);
    return picture;
}

forms::Panel3D* makeTextPanel(QWidget* area, const char* array, int k, float secondLineTop)
{
    auto* panel = new forms::Panel3D(area);
    panel->setObjectName(slotName(array, k));
    panel->setBevel(forms::Panel3D::Bevel::None);
    panel->setOutline(true);
    panel->setBackground(QColor(255, 255, 255));
    panel->setCaptionPlace(forms::Panel3D::CaptionPlace::Centre);
    panel->setCaptionFont(forms::arial(24.27, true));
    panel->setBounds(slotLeft(k, 480), k < 5 ? 1440 : secondLineTop, 1095, 255);
    return panel;
}

void moveDown(forms::Geometry* control, float d)
{
    control->setTop(control->Top() + d);
}

void dolj(QWidget* control)
{
    control->setVisible(false);
}

runtime::Error cardPictureError(const runtime::Error& e, int card, const char* row)
{
    return runtime::Error(QStringLiteral("Bilden till kort %1, %2 raden, går inte att visa. %3")
                            .arg(card + 1)
                            .arg(QString::fromUtf8(row), e.message()));
}

// Loads a card's picture; a failure names the card as well as the picture.
void loadCardPicture(forms::Image* image, const QString& name, int card, const char* row)
{
    try {
        image->LoadPicture(name);
    } catch (const runtime::Error& e) {
        throw cardPictureError(e, card, row);
    }
}

} // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Välj rätt kort."));
    setFont(forms::msSansSerif(8.25, true));
    resize(forms::toPixels(9630), forms::toPixels(6885));

    // Children made later lie above those made earlier. In the upper area the frame lies
    // above the pictures and below the text panels: its band runs around the marked card,
    // and no card's word is ever covered by it.
    Panel3D1 = makeArea(this, "Panel3D1", 0, 3495, kUpperArea);
    Panel3D2 = makeArea(this, "Panel3D2", 3490, 3400, kLowerArea);

    for (int k = 0; k < 10; ++k)
        Image1.set(k, makePicture(Panel3D1, "Image1", k, 1920));

    Shape1 = new forms::Shape(Panel3D1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setBorderColour(kFrame);
    Shape1->setBorderWidth(10);
    Shape1->setBounds(360, 240, 1335, 1335);

    for (int k = 0; k < 10; ++k)
        Panel3D3.set(k, makeTextPanel(Panel3D1, "Panel3D3", k, 3120));

    Command3D2 = new forms::Button3D(Panel3D1);
    Command3D2->setObjectName(QStringLiteral("Command3D2"));
    Command3D2->setCaption(QStringLiteral("Sluta"));
    Command3D2->setFont(forms::msSansSerif(9.75, true));
    Command3D2->setPicture(QPixmap::fromImage(stopSign()));
    Command3D2->setBounds(8640, 120, 840, 1020);
    app::onSignal(Command3D2, &QAbstractButton::clicked, this, [this] { Command3D2_Click(); });

    for (int k = 0; k < 10; ++k) {
        forms::Image* picture = makePicture(Panel3D2, "Image2", k, 1800);
        app::onSignal(picture, &forms::Image::clicked, this, [this, k] { Image2_Click(k); });
        Image2.set(k, picture);
    }
    for (int k = 0; k < 10; ++k) {
        forms::Panel3D* panel = makeTextPanel(Panel3D2, "Panel3D4", k, 3000);
        app::onSignal(panel, &forms::Panel3D::clicked, this, [this, k] { Panel3D4_Click(k); });
        Panel3D4.set(k, panel);
    }
}

Form1::~Form1()
{
    delete Form2.data();
}

void Form1::load()
{
    Form2 = new forms::Backdrop;
    Form2->showOverScreen();

    plats = 0;
    las_installningar();
    blanda();
    placera_kort();

    const int sista = antal - 1;
    for (int i = 0; i <= sista; ++i) {
        const qint16 slot = ordning(i);
        if (!bild_undre(i).isEmpty())
            loadCardPicture(Image2(slot), bild_undre(i), i, "undre");
        Panel3D4(slot)->setCaption(text_undre(i));
        Panel3D3(i)->setCaption(text_ovre(i));
        // A screen reader names a card by its text, or by its picture's name where it
        // has no text.
        if (!text_undre(i).isEmpty())
            Image2(slot)->setAccessibleName(text_undre(i));
        if (!text_ovre(i).isEmpty())
            Image1(i)->setAccessibleName(text_ovre(i));
    }

    visa_ovre();
    visa_undre();
    avkoda_bilder();
}

// The shown pictures are decoded at their card size before the window opens, on every
// core, so that the first paint has them all; a picture that cannot be decoded stops the
// start-up, the first in file order being reported.
void Form1::avkoda_bilder()
{
    QList<forms::Image*> i_filordning;
    const int sista = antal - 1;
    for (int i = 0; i <= sista; ++i)
        i_filordning << Image1(i) << Image2(ordning(i));
    if (const auto failure = forms::decodeShownPictures(i_filordning))
        throw cardPictureError(runtime::Error(failure->message), failure->position / 2,
                               failure->position % 2 == 0 ? "övre" : "undre");
}

void Form1::Form_Unload()
{
    if (Form2)
        Form2->unload();
}

void Form1::closeEvent(QCloseEvent* event)
{
    app::handle([this] { Form_Unload(); });
    event->accept();
}

void Form1::Command3D2_Click()
{
    app::quit();
}

void Form1::Image2_Click(int Index)
{
    prova_kort(runtime::int16(Index));
}

void Form1::Panel3D4_Click(int Index)
{
    prova_kort(runtime::int16(Index));
}

void Form1::las_installningar()
{
    filnamn = settings::kFileName;
    settings::ReadRules rules;
    // The window has ten slots a row; a count that leaves no card would never end.
    rules.checkCount = [this](qint16 count, const QString&, int line) {
        if (count < 1 || count > 10)
            throw settings::fileError(filnamn, line,
                                      QStringLiteral("antalet kort är %1, men spelet kan bara visa 1 till 10 kort")
                                          .arg(count));
    };
    rules.upperPictureRead = [this](int card, const QString& name) {
        if (!name.isEmpty())
            loadCardPicture(Image1(card), name, card, "övre");
    };
    const settings::CardSet set = settings::readCardSet(filnamn, rules);
    antal = set.count;
    typ_ovre = qint16(set.upperDisplay);
    typ_undre = qint16(set.lowerDisplay);
    for (int i = 0; i < antal; ++i) {
        bild_undre(i) = set.cards[i].lowerPicture;
        text_ovre(i) = set.cards[i].upperText;
        text_undre(i) = set.cards[i].lowerText;
    }
}

void Form1::blanda()
{
    game::blanda(ordning, antal, runtime::randomSource());
}

void Form1::placera_kort()
{
    if (antal < 10) {
        for (int k = antal; k <= 9; ++k) {
            dolj(Panel3D3(k));
            dolj(Image1(k));
            dolj(Panel3D4(k));
            dolj(Image2(k));
        }
    }

    if (antal == 5) {
        for (int k = 0; k <= 4; ++k) {
            moveDown(Panel3D3(k), 800);
            moveDown(Image1(k), 800);
            moveDown(Panel3D4(k), 800);
            moveDown(Image2(k), 800);
        }
    }

    if (antal == 3) {
        Image1(0)->setLeft(480);
        Image2(0)->setLeft(480);
        Image1(1)->setLeft(3210);
        Image2(1)->setLeft(3210);
        Image1(2)->setLeft(5940);
        Image2(2)->setLeft(5940);
        const int sista = antal - 1;
        for (int k = 0; k <= sista; ++k) {
            moveDown(Panel3D3(k), 1100);
            moveDown(Image1(k), 200);
            moveDown(Panel3D4(k), 1100);
            moveDown(Image2(k), 200);
            Image1(k)->setWidth(2250);
            Image2(k)->setWidth(2250);
            Image1(k)->setHeight(2250);
            Image2(k)->setHeight(2250);
            Panel3D3(k)->setLeft(Image1(k)->Left() + 560);
            Panel3D4(k)->setLeft(Image2(k)->Left() + 560);
        }
    }

    Shape1->setTop(Image1(plats)->Top());
    Shape1->setLeft(Image1(plats)->Left() + kFrameShift);
    Shape1->setWidth(Image1(plats)->Width());
    Shape1->setHeight(Image1(plats)->Height());
}

void Form1::visa_ovre()
{
    visa_rad(typ_ovre, Image1, Panel3D3);
}

void Form1::visa_undre()
{
    visa_rad(typ_undre, Image2, Panel3D4);
}

// Display mode of one row: 0 pictures only, 1 texts only (each panel takes its card's
// square, in plain type), anything else texts across the pictures as designed.
void Form1::visa_rad(qint16 typ, const forms::ControlArray<forms::Image, 10>& bilder,
                     const forms::ControlArray<forms::Panel3D, 10>& texter)
{
    const int sista = antal - 1;
    if (typ == 0) {
        for (int k = 0; k <= sista; ++k)
            dolj(texter(k));
    } else if (typ == 1) {
        for (int k = 0; k <= sista; ++k) {
            texter(k)->setLeft(bilder(k)->Left());
            texter(k)->setTop(bilder(k)->Top());
            texter(k)->setHeight(bilder(k)->Height());
            texter(k)->setWidth(bilder(k)->Width());
            dolj(bilder(k));
            texter(k)->setFontSize(antal == 3 ? 20 : 16);
            texter(k)->setFontBold(false);
        }
    }
}

// One matching step: a click on lower slot Index is right when that slot shows the
// partner of the framed upper card. A wrong click changes nothing.
void Form1::prova_kort(qint16 Index)
{
    if (!(plats < antal && ordning(plats) == Index))
        return;

    dolj(Shape1);
    dolj(Image1(plats));
    dolj(Image2(Index));
    dolj(Panel3D3(plats));
    dolj(Panel3D4(Index));

    plats = runtime::int16(plats + 1);
    if (plats < antal) {
        Shape1->setTop(Image1(plats)->Top());
        Shape1->setLeft(Image1(plats)->Left() + kFrameShift);
        Shape1->setVisible(true);
    } else {
        app::quit();
    }
}

} // namespace game
