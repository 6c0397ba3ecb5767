#pragma once

// Card sets and windows for the game's window tests.

#include "tests/support/TestSupport.h"

#include "app/Program.h"
#include "forms/PictureBox.h"
#include "forms/Panel.h"
#include "game/GameWindow.h"

#include <QTest>

namespace gametest {

// A set of n cards whose pictures exist, in all three formats, and whose texts tell card and
// row apart ("ö3" = upper text of card 3, "u3" = lower).
inline void writeStandard(const CardFolder& folder, int n, int upper = 2, int lower = 2)
{
    static const char* const kinds[] = {"bmp", "gif", "jpg"};
    QStringList strings;
    for (int i = 0; i < n; ++i) {
        const QString upperName = QStringLiteral("ovre%1.%2").arg(i).arg(QLatin1String(kinds[i % 3]));
        const QString lowerName = QStringLiteral("undre%1.%2").arg(i).arg(QLatin1String(kinds[(i + 1) % 3]));
        folder.picture(upperName);
        folder.picture(lowerName, QColor(200, 60, 40));
        strings << upperName << lowerName << QStringLiteral("ö%1").arg(i) << QStringLiteral("u%1").arg(i);
    }
    folder.writeIni(cardFile(n, upper, lower, strings));
}

// A game loaded from a standard set in a folder of its own; `failure` says why loading failed.
struct Game {
    Game(int count, int upper = 2, int lower = 2)
    {
        app::resetEnded();
        writeStandard(folder, count, upper, lower);
        failure = failureOf([this] { window.load(); });
    }
    // Shows the window as the program does after loading and waits until it takes clicks.
    bool show()
    {
        forms::showCentred(&window);
        return QTest::qWaitForWindowExposed(&window);
    }
    forms::PictureBox* upperPicture(int k) const { return control<forms::PictureBox>(window, QStringLiteral("Image1(%1)").arg(k)); }
    forms::Panel* upperText(int k) const { return control<forms::Panel>(window, QStringLiteral("Panel3D3(%1)").arg(k)); }
    forms::PictureBox* lowerPicture(int k) const { return control<forms::PictureBox>(window, QStringLiteral("Image2(%1)").arg(k)); }
    forms::Panel* lowerText(int k) const { return control<forms::Panel>(window, QStringLiteral("Panel3D4(%1)").arg(k)); }
    QWidget* frame() const { return control(window, QStringLiteral("Shape1")); }
    QWidget* upperArea() const { return control(window, QStringLiteral("Panel3D1")); }

    CardFolder folder;
    game::GameWindow window;
    QString failure;
};

} // namespace gametest
