#pragma once

#include "supervisor/CommandButton.h"
#include "supervisor/NumberColumn.h"
#include "supervisor/TabStrip.h"

#include "forms/Backdrop.h"
#include "forms/Button3D.h"
#include "forms/FileList.h"
#include "forms/Image.h"
#include "forms/ControlArray.h"
#include "runtime/Int16.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/Option3D.h"
#include "forms/Panel3D.h"
#include "forms/TextBox.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QCloseEvent;

namespace supervisor {

// The supervisor's window "Kortvy handledarsektion". The card set lives only in its
// controls: List1(0) upper pictures, List1(1) upper texts, List1(2) lower pictures,
// List1(3) lower texts, row r of each list belonging to card r, and the two "Typ av kort"
// groups SSOption1(0..2) (upper row) and SSOption1(3..5) (lower row).
class Form1 : public QWidget {
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: the backdrop, the stored card set, the count. Throws runtime::Error when
    // kortvy.ini cannot be read; the window must then not be shown.
    void load();
    // The window is closed from outside the program; nothing is saved.
    void Form_Unload(qint16& Cancel);

    void Panel3D7_Click();
    void Panel3D8_Click();
    void Panel3D9_Click();

    // Reads the card set from the settings file into the lists and the type options.
    void hämta(const QString& filnamn);

    // Card count.
    void nytt_antal(qint16 x);
    void Option3D1_Click(qint16 Index);
    void rensa(qint16 k);

    // Pictures.
    void File1_Click(qint16 Index);
    void File1_DblClick(qint16 Index);
    void List1_Click(qint16 Index);
    void List1_DblClick(qint16 Index);

    // Texts and copying.
    void SSCommand2_Click(qint16 Index);
    void Command1_Click(qint16 Index);

    // "Spara" and "Avbryt".
    void Command3D5_Click();
    void Command3D6_Click();

    // State; every value is a 16-bit integer.
    qint16 antal = 0;
    qint16 antal_val = 0;
    qint16 listhojd = 0;
    runtime::Array<qint16, 0, 3> antal_rader;

    // The message of the last save that failed; empty when the last save went through.
    QString lastSaveError;

    // The backdrop behind the window while it is shown.
    QPointer<forms::Backdrop> Form2;

    // Tab headers and the pages below them (Panel3D1(1) to Panel3D1(3)).
    forms::Panel3D* Panel3D7 = nullptr;
    forms::Panel3D* Panel3D8 = nullptr;
    forms::Panel3D* Panel3D9 = nullptr;
    forms::ControlArray<forms::Panel3D, 4> Panel3D1;

    // Card count group and the two big buttons.
    forms::Panel3D* Panel3D2 = nullptr;
    forms::ControlArray<forms::Option3D, 3> Option3D1;
    forms::Button3D* Command3D5 = nullptr;
    forms::Button3D* Command3D6 = nullptr;

    // Pages 1 and 2.
    TabStrip* Image2 = nullptr;
    forms::ControlArray<TabStrip, 2> Image1;  // Image1(1) page 2, Image1(0) page 3
    forms::ControlArray<forms::Panel3D, 6> Panel3D6;
    forms::ControlArray<forms::FileList, 2> File1;
    forms::ControlArray<forms::Label, 4> Label10;
    forms::ControlArray<NumberColumn, 2> Label1;
    forms::ControlArray<NumberColumn, 2> Label8;
    forms::ControlArray<forms::ListBox, 4> List1;
    forms::ControlArray<forms::TextBox, 2> Text1;
    forms::ControlArray<forms::Button3D, 2> SSCommand2;
    forms::ControlArray<forms::Panel3D, 2> SSPanel2;
    forms::ControlArray<forms::Label, 2> Label9;
    forms::ControlArray<forms::Option3D, 6> SSOption1;
    forms::ControlArray<forms::Panel3D, 2> SSPanel1;
    forms::ControlArray<forms::Image, 2> Image3;
    forms::ControlArray<CommandButton, 2> Command1;

    // Page 3, the help frames.
    forms::Panel3D* Panel3D3 = nullptr;
    forms::Panel3D* Panel3D5 = nullptr;
    forms::Panel3D* Panel3D4 = nullptr;
    forms::ControlArray<forms::Label, 4> Label7;  // indexes 0, 1 and 3
    forms::Label* Label2 = nullptr;
    forms::Label* Label5 = nullptr;
    forms::Label* Label6 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void bygg_fonstret();
    void bygg_sida(int p);
    void bygg_hjalpsidan();
    void koppla_handelser();

    void dolj_sidor();
    void visa_sida(forms::Panel3D* rubrik, int sida);

    // Shows the picture `namn` in the preview of page p; an empty name, or a picture
    // that cannot be read, leaves the preview empty.
    void visa_forhandsbild(int p, const QString& namn);
    // Whether `namn` stands in rows 0 to antal_rader(k) of List1(k).
    bool finns_i_listan(int k, const QString& namn) const;
    void visa_sparfel(const QString& meddelande);
};

} // namespace supervisor
