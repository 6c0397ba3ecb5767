#include "settings/CardFacts.h"

#include <QFileInfo>

namespace settings {

QString wordOf(const Card& card)
{
    return !card.upperText.trimmed().isEmpty() ? card.upperText : card.lowerText;
}

QString nameOf(const Card& card, int index)
{
    if (!card.upperText.trimmed().isEmpty())
        return card.upperText;
    if (!card.upperPicture.isEmpty())
        return QFileInfo(card.upperPicture).completeBaseName();
    return QStringLiteral("kort %1").arg(index + 1);
}

bool isRecordingKind(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const char* kind : kSoundSuffixes) {
        if (suffix == QLatin1String(kind))
            return true;
    }
    return false;
}

QString soundBaseOf(const Card& card)
{
    return card.upperPicture.isEmpty() ? QString() : QFileInfo(card.upperPicture).completeBaseName();
}

QStringList ownSoundsOf(const QDir& folder, const Card& card)
{
    QStringList sounds;
    const QString base = soundBaseOf(card);
    if (base.isEmpty())
        return sounds;
    for (const char* suffix : kSoundSuffixes) {
        const QString name = base + QLatin1Char('.') + QLatin1String(suffix);
        if (QFileInfo(folder.filePath(name)).isFile())
            sounds << name;
    }
    return sounds;
}

Utterance utteranceFor(const QDir& folder, const Card& card)
{
    if (const QStringList sounds = ownSoundsOf(folder, card); !sounds.isEmpty())
        return {Utterance::Kind::Sound, folder.filePath(sounds.first()), wordOf(card)};
    if (const QString word = wordOf(card); !word.trimmed().isEmpty())
        return {Utterance::Kind::Word, word};
    return {};
}

} // namespace settings
