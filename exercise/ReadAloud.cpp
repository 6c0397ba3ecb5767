#include "exercise/ReadAloud.h"

namespace exercise {

ReadAloud::ReadAloud(bool on, QList<settings::Utterance> cards, SoundPlayer* player, Speaker* speaker)
    : m_on(on)
    , m_cards(std::move(cards))
    , m_player(player)
    , m_speaker(speaker)
{
}

void ReadAloud::frameMovedTo(int card)
{
    m_framed = card;
    again();
}

const settings::Utterance* ReadAloud::framed() const
{
    return m_on && m_framed >= 0 && m_framed < m_cards.size() ? &m_cards[m_framed] : nullptr;
}

void ReadAloud::again()
{
    const settings::Utterance* u = framed();
    if (!u)
        return;
    stopAll();
    switch (u->kind) {
    case settings::Utterance::Kind::Sound:
        m_player->play(u->what);
        break;
    case settings::Utterance::Kind::Word:
        m_speaker->say(u->what);
        break;
    case settings::Utterance::Kind::Nothing:
        break;
    }
}

void ReadAloud::stop()
{
    if (m_on)
        stopAll();
}

void ReadAloud::recordingFailed(const QString& file)
{
    const settings::Utterance* u = framed();
    if (u && u->kind == settings::Utterance::Kind::Sound && u->what == file && !u->word.trimmed().isEmpty())
        m_speaker->say(u->word);
}

void ReadAloud::stopAll()
{
    m_player->stop();
    m_speaker->stop();
}

} // namespace exercise
