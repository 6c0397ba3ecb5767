#include "exercise/GameCardSet.h"

#include "settings/CardFacts.h"
#include "settings/CardSetFile.h"
#include "settings/FileError.h"

namespace exercise {

settings::CardSet readGameCardSet(const QString& path,
                                  const std::function<void(int card, const QString& name)>& upperPictureRead)
{
    settings::ReadRules rules;
    // The count's error names the file as the game opened it.
    rules.checkCount = [&path](qint16 count, const QString&, int line) {
        if (!settings::isPlayableCount(count))
            throw settings::fileError(path, line,
                                      QStringLiteral("antalet kort är %1, men spelet kan bara visa 1 till %2 kort")
                                          .arg(count)
                                          .arg(settings::kMostCards));
    };
    rules.upperPictureRead = upperPictureRead;
    return settings::readCardSet(path, rules);
}

} // namespace exercise
