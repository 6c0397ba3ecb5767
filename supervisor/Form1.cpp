// Start-up, the three pages and shutdown of the supervisor's window.

#include "supervisor/Form1.h"

#include "app/Program.h"

#include "settings/CardSet.h"

#include <QCloseEvent>

namespace supervisor {

void Form1::koppla_handelser()
{
    app::onSignal(Panel3D7, &forms::Panel3D::clicked, this, [this] { Panel3D7_Click(); });
    app::onSignal(Panel3D8, &forms::Panel3D::clicked, this, [this] { Panel3D8_Click(); });
    app::onSignal(Panel3D9, &forms::Panel3D::clicked, this, [this] { Panel3D9_Click(); });
    for (qint16 i = 0; i < 3; ++i)
        app::onSignal(Option3D1(i), &QAbstractButton::clicked, this, [this, i] { Option3D1_Click(i); });
    for (qint16 p = 0; p < 2; ++p) {
        app::onSignal(File1(p), &forms::ListBox::rowClicked, this, [this, p] { File1_Click(p); });
        app::onSignal(File1(p), &forms::ListBox::rowDoubleClicked, this, [this, p] { File1_DblClick(p); });
        app::onSignal(SSCommand2(p), &QAbstractButton::clicked, this, [this, p] { SSCommand2_Click(p); });
        app::onSignal(Command1(p), &QAbstractButton::clicked, this, [this, p] { Command1_Click(p); });
    }
    for (qint16 k = 0; k < 4; ++k) {
        app::onSignal(List1(k), &forms::ListBox::rowClicked, this, [this, k] { List1_Click(k); });
        app::onSignal(List1(k), &forms::ListBox::rowDoubleClicked, this, [this, k] { List1_DblClick(k); });
    }
    app::onSignal(Command3D5, &QAbstractButton::clicked, this, [this] { Command3D5_Click(); });
    app::onSignal(Command3D6, &QAbstractButton::clicked, this, [this] { Command3D6_Click(); });
}

void Form1::load()
{
    Form2 = new forms::Backdrop;
    Form2->showOverScreen();
    hämta(settings::kFileName);
    nytt_antal(antal_val);
}

void Form1::closeEvent(QCloseEvent* event)
{
    qint16 Cancel = 0;
    app::handle([this, &Cancel] { Form_Unload(Cancel); });
    if (Cancel != 0)
        event->ignore();
    else
        event->accept();
}

void Form1::Form_Unload(qint16&)
{
    if (Form2)
        Form2->unload();
}

void Form1::dolj_sidor()
{
    Panel3D7->setFontBold(false);
    Panel3D8->setFontBold(false);
    Panel3D9->setFontBold(false);
    for (int i = 1; i <= 3; ++i)
        Panel3D1(i)->setVisible(false);
}

void Form1::visa_sida(forms::Panel3D* rubrik, int sida)
{
    dolj_sidor();
    rubrik->setFontBold(true);
    Panel3D1(sida)->setVisible(true);
}

void Form1::Panel3D7_Click()
{
    visa_sida(Panel3D7, 1);
}

void Form1::Panel3D8_Click()
{
    visa_sida(Panel3D8, 2);
}

void Form1::Panel3D9_Click()
{
    visa_sida(Panel3D9, 3);
}

} // namespace supervisor
