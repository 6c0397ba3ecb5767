#pragma once

#include "settings/CardSet.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace exercise {

// The kinds of sound file a card may have of its own, in the order they are looked for.
inline constexpr std::array<const char*, 4> kSoundSuffixes = {"wav", "ogg", "mp3", "m4a"};

// What is heard for a card: the teacher's recording, the word in the synthetic voice, or
// nothing.
struct Utterance {
    enum class Kind { Nothing, Sound, Word };
    Kind kind = Kind::Nothing;
    QString what;  // the sound file's path, or the word
    QString word;  // for a recording, the word said in its place should it not play

    bool operator==(const Utterance&) const = default;
};

// The card's own sounds: the sound files in `folder` named as its upper picture
// (katt.jpg → katt.wav, katt.ogg, …), as bare names in the order they are looked for. The
// first is the one heard.
QStringList ownSoundsOf(const QDir& folder, const settings::Card& card);
// The card's word: its upper text, or its partner's where the upper card has none.
QString wordOf(const settings::Card& card);
Utterance utteranceFor(const QDir& folder, const settings::Card& card);

// Where the recorded sounds go and where words are spoken. Neither may wait for the sound to
// finish, and neither fails: what cannot be heard is left unheard.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& file) = 0;
    virtual void stop() = 0;
};

class Speaker {
public:
    virtual ~Speaker() = default;
    virtual void say(const QString& word) = 0;
    virtual void stop() = 0;
};

// The asked-for card read aloud: when the frame comes to it, and again when the learner asks.
// Whatever was playing stops first, so that only one card is ever heard. Switched off, it
// never touches the player or the speaker.
class ReadAloud {
public:
    ReadAloud() = default;
    ReadAloud(bool on, QList<Utterance> cards, SoundPlayer* player, Speaker* speaker);

    bool isOn() const { return m_on; }
    void frameMovedTo(int card);
    // The framed card once more: a click or tap on it, or the learner's key.
    void again();
    // Leaving the game: all sound ends at once.
    void stop();
    // The player could not play `file`: the framed card's word is said instead, unless the
    // frame has moved on from the card it belongs to.
    void recordingFailed(const QString& file);

private:
    const Utterance* framed() const;
    void stopAll();

    bool m_on = false;
    QList<Utterance> m_cards;
    SoundPlayer* m_player = nullptr;
    Speaker* m_speaker = nullptr;
    int m_framed = -1;
};

} // namespace exercise
