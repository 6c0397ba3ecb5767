#include "cardsets/CardSounds.h"

#include "runtime/Error.h"
#include "runtime/FileIo.h"
#include "settings/CardSetFile.h"

#include <QDir>
#include <QFileInfo>

namespace cardsets {

QList<CardSound> cardSounds(const QString& folder)
{
    const QDir dir(folder);
    const settings::CardSet set = settings::readCardSet(dir.filePath(settings::kFileName));
    QList<CardSound> sounds;
    for (int i = 0; i < set.count && i < set.cards.size(); ++i) {
        const settings::Card& card = set.cards[i];
        CardSound sound;
        sound.card = i;
        sound.soundBase = settings::soundBaseOf(card);
        const QString word = settings::wordOf(card).trimmed();
        sound.name = !word.isEmpty() ? word : settings::nameOf(card, i);
        sound.ownSounds = settings::ownSoundsOf(dir, card);
        sound.heard = settings::utteranceFor(dir, card);
        sounds << sound;
    }
    return sounds;
}

void checkRecordingFile(const QString& path)
{
    if (!settings::isRecordingKind(path) || !QFileInfo(path).isFile())
        throw runtime::Error(QStringLiteral("%1 är ingen ljudfil av de slag som kan läggas till (wav, ogg, mp3 eller m4a).")
                                 .arg(QDir::toNativeSeparators(path)));
}

QString addRecording(const QString& folder, const CardSound& card, const QString& recording, bool replacing)
{
    const QDir dir(folder);
    const QString name = card.soundBase + QLatin1Char('.') + QFileInfo(recording).suffix().toLower();
    const QString shown = QDir::toNativeSeparators(recording);
    if (card.soundBase.isEmpty())
        throw runtime::Error(QStringLiteral("Kortet \"%1\" har ingen bild i den övre raden, och ett ljud hör ihop med den bilden.").arg(card.name));
    checkRecordingFile(recording);
    if (!card.ownSounds.isEmpty() && !replacing)
        throw runtime::Error(QStringLiteral("Kortet \"%1\" har redan ett eget ljud, %2.").arg(card.name, card.ownSounds.first()));
    if (QFileInfo(recording).canonicalFilePath() == QFileInfo(dir.filePath(name)).canonicalFilePath())
        return name;
    if (replacing) {
        for (const QString& old : card.ownSounds) {
            if (QFileInfo::exists(dir.filePath(old)) && !runtime::moveToTrash(dir.filePath(old)))
                throw runtime::Error(QStringLiteral("Det gamla ljudet %1 kunde inte läggas i papperskorgen, så det nya lades inte till.")
                                         .arg(QDir::toNativeSeparators(dir.filePath(old))));
        }
    }
    if (const int error = runtime::copyToNewFile(recording, dir.filePath(name)))
        throw runtime::Error(QStringLiteral("Ljudet %1 kunde inte kopieras till %2. %3")
                                 .arg(shown, QDir::toNativeSeparators(dir.filePath(name)), runtime::reasonSentence(error)));
    return name;
}

} // namespace cardsets
