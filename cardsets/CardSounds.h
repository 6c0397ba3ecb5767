#pragma once

#include "settings/CardFacts.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace cardsets {

// A card of a set as the teacher sees what is heard for it.
struct CardSound {
    int card = 0;          // its place in the set, from 0
    QString name;          // its word, its upper picture's name, or "kort N"
    QString soundBase;     // the name its recordings have, without suffix; empty without an upper picture
    QStringList ownSounds; // its recordings in the folder, the one heard first
    settings::Utterance heard;
};

// Every card of the set in the folder. Throws runtime::Error when kortvy.ini cannot be read.
QList<CardSound> cardSounds(const QString& folder);

// Refuses a file that cannot be a card's recording: one not of the kinds by its suffix, or
// not a regular file (a named pipe would keep whoever opens it waiting). Throws
// runtime::Error with a complete Swedish message; opens nothing.
void checkRecordingFile(const QString& path);

// Copies the recording into the folder as the card's own, under the card's name and the
// recording's suffix in lower case. A card that has recordings already keeps them unless
// `replacing`: then they go to the desktop's trash first, and the new one is heard instead.
// Nothing is ever overwritten. Returns the name the copy got. Throws runtime::Error with a
// complete Swedish message.
QString addRecording(const QString& folder, const CardSound& card, const QString& recording, bool replacing);

} // namespace cardsets

Q_DECLARE_METATYPE(cardsets::CardSound)
