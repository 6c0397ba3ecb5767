// The card count: 3, 5 or 10 cards for both rows.

#include "supervisor/Form1.h"

namespace supervisor {

void Form1::nytt_antal(qint16 x)
{
    Option3D1(x)->setValue(true);
    switch (x) {
    case 0:
        listhojd = 750;
        antal = 3;
        break;
    case 1:
        listhojd = 1230;
        antal = 5;
        break;
    default:
        listhojd = 2430;
        antal = 10;
        break;
    }
    for (int k = 0; k <= 3; ++k)
        List1(k)->setHeight(listhojd);
}

void Form1::Option3D1_Click(qint16 Index)
{
    nytt_antal(Index);
    for (int k = 0; k <= 3; ++k) {
        if (antal < antal_rader(k))
            rensa(qint16(k));
    }
}

void Form1::rensa(qint16 k)
{
    const qint16 n = antal_rader(k);
    const qint16 overskott = runtime::int16(n - antal);
    for (qint16 i = 1; i <= overskott; ++i)
        List1(k)->removeRow(antal);
    antal_rader(k) = antal;
}

} // namespace supervisor
