// Choosing pictures: previews, choosing a file into a picture list, removing rows.

#include "supervisor/Form1.h"

namespace supervisor {

void Form1::visa_forhandsbild(int p, const QString& namn)
{
    forms::Image* preview = Image3(p);
    preview->setToolTip(QString());
    if (namn.isEmpty()) {
        preview->clearPicture();
        return;
    }
    // A picture that cannot be read (its file has gone, or holds no picture) leaves the
    // preview empty; the reason is shown when the pointer rests on it.
    try {
        preview->LoadPicture(namn);
        preview->decode();
    } catch (const runtime::Error& e) {
        preview->clearPicture();
        preview->setToolTip(e.message());
    }
}

bool Form1::finns_i_listan(int k, const QString& namn) const
{
    bool finns = false;
    if (antal_rader(k) > 0) {
        for (int r = 0; r <= antal_rader(k); ++r) {
            if (List1(k)->row(r) == namn)
                finns = true;
        }
    }
    return finns;
}

void Form1::File1_Click(qint16 Index)
{
    visa_forhandsbild(Index, File1(Index)->FileName());
}

void Form1::File1_DblClick(qint16 Index)
{
    const int k = Index == 0 ? 0 : 2;
    if (antal_rader(k) >= antal)
        return;
    const QString namn = File1(Index)->FileName();
    if (namn.isEmpty())
        return;
    if (finns_i_listan(k, namn))
        return;
    List1(k)->setRow(antal_rader(k), namn);
    antal_rader(k) = runtime::int16(antal_rader(k) + 1);
}

void Form1::List1_Click(qint16 Index)
{
    if (Index != 0 && Index != 2)
        return;
    const QString namn = List1(Index)->row(List1(Index)->ListIndex());
    visa_forhandsbild(Index == 0 ? 0 : 1, namn);
}

void Form1::List1_DblClick(qint16 Index)
{
    const int r = List1(Index)->ListIndex();
    if (r < 0)
        return;
    List1(Index)->removeRow(r);
    // Only a counted row lowers the counter; an empty row behind them (left by a copy)
    // leaves it where it is.
    if (r < antal_rader(Index))
        antal_rader(Index) = runtime::int16(antal_rader(Index) - 1);
}

} // namespace supervisor
