#pragma once

#include "forms/Backdrop.h"
#include "forms/Button3D.h"
#include "forms/Image.h"
#include "forms/ControlArray.h"
#include "runtime/Int16.h"
#include "forms/Panel3D.h"
#include "forms/Shape.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace game {

// The game window "Välj rätt kort.": the upper row of cards in file order, the lower row
// shuffled, and the red frame over the upper card asked for. The learner clicks the lower
// card that belongs to the framed one; a right click removes the pair and moves the frame
// on, and after the last pair the game ends.
//
// Upper slot k is Image1(k) with its text panel Panel3D3(k) in the upper area Panel3D1;
// lower slot k is Image2(k) with Panel3D4(k) in the lower area Panel3D2. Card i stands in
// upper slot i and in lower slot ordning(i).
class Form1 : public QWidget {
public:
    Form1();
    ~Form1() override;

    // Start-up: the backdrop, the card set from kortvy.ini, the shuffle, the layout, the
    // cards put into their slots and the rows' display modes. Throws on any failure.
    void load();
    // The window is closed by the window system: the backdrop goes with it.
    void Form_Unload();

    // "Sluta": the game ends at once, without Form_Unload.
    void Command3D2_Click();
    // A click on a lower picture or text panel: one matching step for slot Index.
    void Image2_Click(int Index);
    void Panel3D4_Click(int Index);

    void las_installningar();
    void blanda();
    void placera_kort();
    void visa_ovre();
    void visa_undre();

    // Controls.
    forms::Panel3D* Panel3D1 = nullptr;
    forms::Panel3D* Panel3D2 = nullptr;
    forms::ControlArray<forms::Image, 10> Image1;
    forms::ControlArray<forms::Panel3D, 10> Panel3D3;
    forms::ControlArray<forms::Image, 10> Image2;
    forms::ControlArray<forms::Panel3D, 10> Panel3D4;
    forms::Button3D* Command3D2 = nullptr;
    forms::Shape* Shape1 = nullptr;

    // The black backdrop behind the window; empty once it has been unloaded.
    QPointer<forms::Backdrop> Form2;

    // State.
    qint16 antal = 0;
    qint16 typ_ovre = 0;
    qint16 typ_undre = 0;
    qint16 plats = 0;
    runtime::Array<qint16, 0, 10> ordning;
    runtime::Array<QString, 0, 10> bild_undre;
    runtime::Array<QString, 0, 10> text_ovre;
    runtime::Array<QString, 0, 10> text_undre;
    QString filnamn;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void visa_rad(qint16 typ, const forms::ControlArray<forms::Image, 10>& bilder,
                  const forms::ControlArray<forms::Panel3D, 10>& texter);
    void prova_kort(qint16 Index);
    void avkoda_bilder();
};

} // namespace game
