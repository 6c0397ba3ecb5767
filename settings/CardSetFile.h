#pragma once

#include "settings/CardSet.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace settings {

// What a program asks of a card set while it is read. Each program has its own rule for the
// count: checkCount sees it the moment it is read, with the file and the line it stood on,
// and throws runtime::Error to refuse it before anything else is read. upperPictureRead sees
// each upper picture's name the moment it is read, before the rest of its card.
struct ReadRules {
    std::function<void(qint16 count, const QString& file, int line)> checkCount;
    std::function<void(int card, const QString& name)> upperPictureRead;
};

// Reads a card set from the file: the count, the upper row's display, the lower row's, then
// four values for each card (upper picture, lower picture, upper text, lower text). Nothing
// after the last card is read. Throws runtime::Error naming the file and the line.
CardSet readCardSet(const QString& path, const ReadRules& rules = {});

// The file's bytes for the card set: `count` cards, a missing one written empty. Throws
// runtime::Error, naming `path`, when a name or text holds what the file cannot hold.
QByteArray encodeCardSet(const CardSet& set, const QString& path);

// Writes the card set whole or not at all: a failure throws runtime::Error and leaves the
// file as it was.
void writeCardSet(const QString& path, const CardSet& set);

} // namespace settings
