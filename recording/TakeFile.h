#pragma once

#include "cardsets/CardSounds.h"
#include "recording/Take.h"

#include <QList>
#include <QString>

namespace recording {

// The suffix a kept take is written with: a kind the game plays, read back by every decoder.
inline constexpr char kTakeSuffix[] = "wav";

// Writes the take to `path` as 16-bit WAV, replacing what is there. Throws runtime::Error
// with a complete Swedish message.
void writeTake(const QString& path, const Take& take);

// The card to record after the one at `after`: the next that can have a recording and has
// none, from there on round to the first. -1 when every card has one.
int nextToRecord(const QList<cardsets::CardSound>& cards, int after);

} // namespace recording
