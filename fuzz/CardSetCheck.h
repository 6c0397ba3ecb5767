#pragma once

// Reads bytes as kortvy.ini through the loaders the two programs ship, and checks what came
// of it. Shared by the fuzz target and the test that replays its corpus.

#include "fuzz/FuzzSupport.h"

#include "editor/CardSetEditor.h"
#include "exercise/GameCardSet.h"
#include "runtime/Error.h"
#include "settings/CardSetFile.h"
#include "settings/ValueReader.h"
#include "settings/Storable.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace cardsetcheck {

using fuzzsupport::Finding;

inline bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline void checkTexts(const settings::CardSet& set, Finding& finding)
{
    for (const settings::Card& card : set.cards) {
        for (const QString& text : {card.upperPicture, card.lowerPicture, card.upperText, card.lowerText}) {
            if (text.size() > settings::ValueReader::kMaxValueBytes)
                finding.problem = QStringLiteral("a text longer than the limit");
            for (QChar c : text) {
                if (c == u'\r' || c == u'\n' || c == QChar(0))
                    finding.problem = QStringLiteral("a line end or NUL inside the text \"%1\"").arg(text.left(60));
            }
        }
    }
    if (set.cards.size() != qMax<int>(0, set.count))
        finding.problem = QStringLiteral("%1 cards read for a count of %2").arg(set.cards.size()).arg(set.count);
}

// Every failure is a complete Swedish message naming the file.
template <class Load>
std::optional<settings::CardSet> read(Load load, Finding& finding)
{
    try {
        settings::CardSet set = load();
        checkTexts(set, finding);
        return set;
    } catch (const runtime::Error& e) {
        if (!e.message().startsWith(QStringLiteral("Fel i inställningsfilen ")) || e.line() < 0)
            finding.problem = QStringLiteral("an incomplete message: ") + e.message();
        return std::nullopt;
    }
}

// What the supervisor tool would save right after opening the card set, read again as both
// programs read it: the game must play what the tool saves, and a second save must write
// the same bytes.
inline void roundTrip(const settings::CardSet& opened, const QString& folder, Finding& finding)
{
    editor::CardSetEditor editor;
    editor.load(opened);
    const settings::CardSet saved = editor.cardSetToSave();
    for (const settings::Card& card : saved.cards) {
        for (const QString& text : {card.upperPicture, card.lowerPicture, card.upperText, card.lowerText}) {
            if (!settings::canHold(text))
                return;  // e.g. a '"' inside an unquoted value: saving refuses such a text
        }
    }
    const QString path = folder + QStringLiteral("/tillbaka.ini");
    const QByteArray bytes = settings::encodeCardSet(saved, path);
    if (!put(path, bytes)) {
        finding.problem = QStringLiteral("cannot write ") + path;
        return;
    }
    const auto played = read([&] { return exercise::readGameCardSet(path); }, finding);
    const auto reopened = read([&] { return editor::readCardSetToEdit(path); }, finding);
    if (!played || !reopened)
        finding.problem = QStringLiteral("a saved card set does not read back");
    else if (!(*played == saved) || !(*reopened == saved))
        finding.problem = QStringLiteral("a card set changed on its way through saving");
    else {
        editor::CardSetEditor again;
        again.load(*reopened);
        if (settings::encodeCardSet(again.cardSetToSave(), path) != bytes)
            finding.problem = QStringLiteral("a second save writes other bytes");
    }
}

// Every input must end in a card set or in an error with a complete message, and both
// programs must take the same values from the same bytes.
inline Finding check(const QByteArray& bytes, const QString& folder)
{
    Finding finding;
    const QString path = folder + QStringLiteral("/kortvy.ini");
    if (!put(path, bytes))
        return {QStringLiteral("cannot write ") + path};

    const auto game = read([&] { return exercise::readGameCardSet(path); }, finding);
    const auto supervisor = read([&] { return editor::readCardSetToEdit(path); }, finding);
    if (game && !(supervisor && *supervisor == *game))
        finding.problem = QStringLiteral("the game reads a card set that the supervisor tool reads otherwise");
    if (supervisor && supervisor->count >= 1 && supervisor->count <= 10 && !game)
        finding.problem = QStringLiteral("the supervisor tool reads a card set that the game refuses");
    if (supervisor && !finding)
        roundTrip(*supervisor, folder, finding);
    return finding;
}

} // namespace cardsetcheck
