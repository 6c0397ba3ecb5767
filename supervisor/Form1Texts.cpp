// Texts and copying from the upper row to the lower one.

#include "supervisor/Form1.h"

namespace supervisor {

void Form1::SSCommand2_Click(qint16 Index)
{
    const int k = Index == 0 ? 1 : 3;
    if (antal_rader(k) >= antal)
        return;
    const QString t = Text1(Index)->Text();
    if (t.isEmpty())
        return;
    if (finns_i_listan(k, t))
        return;
    List1(k)->setRow(antal_rader(k), t);
    antal_rader(k) = runtime::int16(antal_rader(k) + 1);
    Text1(Index)->clear();
}

void Form1::Command1_Click(qint16 Index)
{
    qint16 n = 0;
    const qint16 sista = runtime::int16(antal - 1);
    for (qint16 r = 0; r <= sista; ++r) {
        const QString s = List1(Index)->row(r);
        List1(Index + 2)->setRow(r, s);
        if (!s.isEmpty())
            n = runtime::int16(n + 1);
    }
    antal_rader(Index + 2) = n;
}

} // namespace supervisor
