#pragma once

#include "settings/CardSet.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <array>

namespace settings {

// What is true of a card set wherever it is read: by the game, by Kortlekar, by the
// teacher's dialogs.

// The game window has ten slots a row, and a set without a card would never end.
inline constexpr int kMostCards = 10;
inline bool isPlayableCount(int count)
{
    return count >= 1 && count <= kMostCards;
}

// A card's word: its upper text, or its partner's where the upper card has none.
QString wordOf(const Card& card);

// A card where it must be named without giving its answer away: by its upper text, else its
// upper picture's name, else its place in the set (`index`, from 0).
QString nameOf(const Card& card, int index);

// The kinds of sound file a card may have of its own, in the order they are looked for.
inline constexpr std::array<const char*, 4> kSoundSuffixes = {"wav", "ogg", "mp3", "m4a"};

// Whether the file is of a kind a card's recording can be (by its suffix, in any case).
bool isRecordingKind(const QString& path);

// The name a card's recordings have, without suffix: its upper picture's, up to the last
// dot (katt.jpg → katt, sol.bild.jpg → sol.bild). Empty for a card without an upper picture.
QString soundBaseOf(const Card& card);

// The card's own sounds: the sound files in `folder` named after its upper picture, as bare
// names in the order they are looked for. The first is the one heard.
QStringList ownSoundsOf(const QDir& folder, const Card& card);

// What is heard for a card: the teacher's recording, the word in the synthetic voice, or
// nothing.
struct Utterance {
    enum class Kind { Nothing, Sound, Word };
    Kind kind = Kind::Nothing;
    QString what;  // the sound file's path, or the word
    QString word;  // for a recording, the word said in its place should it not play

    bool operator==(const Utterance&) const = default;
};
// The card's own recording where it has one, else its word.
Utterance utteranceFor(const QDir& folder, const Card& card);

} // namespace settings
