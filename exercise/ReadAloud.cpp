#include "exercise/ReadAloud.h"

#include <QFileInfo>

namespace exercise {

QStringList ownSoundsOf(const QDir& folder, const settings::Card& card)
{
    QStringList sounds;
    if (card.upperPicture.isEmpty())
        return sounds;
    const QString base = QFileInfo(card.upperPicture).completeBaseName();
    for (const char* suffix : kSoundSuffixes) {
        const QString name = base + QLatin1Char('.') + QLatin1String(suffix);
        if (QFileInfo(folder.filePath(name)).isFile())
            sounds << name;
    }
    return sounds;
}

QString wordOf(const settings::Card& card)
{
    return !card.upperText.trimmed().isEmpty() ? card.upperText : card.lowerText;
}

Utterance utteranceFor(const QDir& folder, const settings::Card& card)
{
    if (const QStringList sounds = ownSoundsOf(folder, card); !sounds.isEmpty())
        return {Utterance::Kind::Sound, folder.filePath(sounds.first()), wordOf(card)};
    if (const QString word = wordOf(card); !word.trimmed().isEmpty())
        return {Utterance::Kind::Word, word};
    return {};
}

ReadAloud::ReadAloud(bool on, QList<Utterance> cards, SoundPlayer* player, Speaker* speaker)
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

const Utterance* ReadAloud::framed() const
{
    return m_on && m_framed >= 0 && m_framed < m_cards.size() ? &m_cards[m_framed] : nullptr;
}

void ReadAloud::again()
{
    const Utterance* u = framed();
    if (!u)
        return;
    stopAll();
    switch (u->kind) {
    case Utterance::Kind::Sound:
        m_player->play(u->what);
        break;
    case Utterance::Kind::Word:
        m_speaker->say(u->what);
        break;
    case Utterance::Kind::Nothing:
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
    const Utterance* u = framed();
    if (u && u->kind == Utterance::Kind::Sound && u->what == file && !u->word.trimmed().isEmpty())
        m_speaker->say(u->word);
}

void ReadAloud::stopAll()
{
    m_player->stop();
    m_speaker->stop();
}

} // namespace exercise
