#pragma once

#include "settings/CardFacts.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

namespace exercise {

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
    ReadAloud(bool on, QList<settings::Utterance> cards, SoundPlayer* player, Speaker* speaker);

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
    const settings::Utterance* framed() const;
    void stopAll();

    bool m_on = false;
    QList<settings::Utterance> m_cards;
    SoundPlayer* m_player = nullptr;
    Speaker* m_speaker = nullptr;
    int m_framed = -1;
};

} // namespace exercise
