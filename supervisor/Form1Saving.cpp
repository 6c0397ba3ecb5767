// "Spara" and "Avbryt".

#include "supervisor/Form1.h"

#include "app/Program.h"

#include "runtime/Error.h"
#include "settings/CardSetFile.h"

#include <QMessageBox>

namespace supervisor {

namespace {

// The code of a "Typ av kort" group whose options start at `first`: "Text" 1, else
// "Bild" 0, else 2 ("Text + Bild" or none chosen).
settings::RowDisplay chosenDisplay(const forms::ControlArray<forms::Option3D, 6>& options, int first)
{
    if (options(first)->Value())
        return settings::RowDisplay::Texts;
    if (options(first + 1)->Value())
        return settings::RowDisplay::Pictures;
    return settings::RowDisplay::Both;
}

} // namespace

void Form1::Command3D5_Click()
{
    // The file is replaced only when it is complete: a failure leaves the stored card set
    // as it was and the window open with every edit.
    try {
        settings::CardSet set;
        set.count = antal;
        set.upperDisplay = chosenDisplay(SSOption1, 0);
        set.lowerDisplay = chosenDisplay(SSOption1, 3);
        for (int i = 0; i < antal; ++i)
            set.cards << settings::Card{List1(0)->row(i), List1(2)->row(i), List1(1)->row(i), List1(3)->row(i)};
        settings::writeCardSet(settings::kFileName, set);
    } catch (const runtime::Error& e) {
        visa_sparfel(e.message());
        return;
    }
    lastSaveError.clear();
    app::quit();
}

void Form1::visa_sparfel(const QString& meddelande)
{
    lastSaveError = QStringLiteral("Kortleken kunde inte sparas, och kortvy.ini är som förut.\n\n%1\n\n"
                                   "Dina ändringar finns kvar i fönstret. Försök spara igen, eller avsluta "
                                   "med \"Avbryt\".")
                        .arg(meddelande);
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), lastSaveError, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Sparfel"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void Form1::Command3D6_Click()
{
    app::quit();
}

} // namespace supervisor
