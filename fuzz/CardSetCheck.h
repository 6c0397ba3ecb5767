#pragma once

// Reads bytes as kortvy.ini the way the game reads it and the way the supervisor tool reads
// it, and checks what came of it. Shared by the fuzz target and the regression test that
// replays its corpus.

#include "settings/FileError.h"
#include "settings/ValueReader.h"
#include "settings/ValueWriter.h"
#include "settings/Windows1252.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <memory>

namespace cardsetcheck {

struct CardSet {
    qint16 antal = 0;
    qint16 typOvre = 0;
    qint16 typUndre = 0;
    QList<QString> texts;  // four a card: upper picture, lower picture, upper text, lower text

    bool operator==(const CardSet&) const = default;
};

// What went wrong; empty while all is well.
struct Finding {
    QString problem;
    explicit operator bool() const { return !problem.isEmpty(); }
};

inline bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline void checkText(const QString& text, Finding& finding)
{
    if (text.size() > settings::ValueReader::kMaxValueBytes)
        finding.problem = QStringLiteral("a text longer than the limit");
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            finding.problem = QStringLiteral("a line end or NUL inside the text \"%1\"").arg(text.left(60));
    }
}

inline void checkError(const runtime::Error& e, const settings::ValueReader* reader, Finding& finding)
{
    if (!e.message().startsWith(QStringLiteral("Fel i inställningsfilen ")))
        finding.problem = QStringLiteral("an incomplete message: ") + e.message();
    if (e.line() < 0 || (reader && e.line() > reader->line() + 2))
        finding.problem = QStringLiteral("an error on an impossible line: ") + e.message();
}

// As the game reads: count, both types, then the four texts of each card; a count outside
// 1 to 10 is refused, since the window has ten card slots a row.
inline bool readAsGame(const QString& path, CardSet& set, Finding& finding)
{
    std::unique_ptr<settings::ValueReader> fil;
    try {
        fil = std::make_unique<settings::ValueReader>(path);
        set.antal = fil->readNumber();
        if (set.antal < 1 || set.antal > 10)
            return false;
        set.typOvre = fil->readNumber();
        set.typUndre = fil->readNumber();
        for (int i = 0; i < set.antal * 4; ++i) {
            set.texts << fil->readText();
            checkText(set.texts.back(), finding);
        }
        return true;
    } catch (const runtime::Error& e) {
        checkError(e, fil.get(), finding);
        return false;
    }
}

// As the supervisor tool reads: any count but -32768, which would leave the last card
// index outside 16 bits; zero or less reads no card, more than ten reads that many.
inline bool readAsSupervisor(const QString& path, CardSet& set, Finding& finding)
{
    std::unique_ptr<settings::ValueReader> fil;
    try {
        fil = std::make_unique<settings::ValueReader>(path);
        set.antal = fil->readNumber();
        if (set.antal == -32768)
            return false;
        set.typOvre = fil->readNumber();
        set.typUndre = fil->readNumber();
        const qint16 sista = qint16(set.antal - 1);
        for (qint16 i = 0; i <= sista; ++i) {
            for (int k = 0; k < 4; ++k) {
                set.texts << fil->readText();
                checkText(set.texts.back(), finding);
            }
        }
        return true;
    } catch (const runtime::Error& e) {
        checkError(e, fil.get(), finding);
        return false;
    }
}

// A card set that was read is written as the supervisor tool writes it and read again.
inline void roundTrip(const CardSet& set, const QString& folder, Finding& finding)
{
    for (const QString& text : set.texts) {
        if (!settings::canStore(text))
            return;  // e.g. a '"' inside an unquoted value: the writer refuses such a text
    }
    const QString path = folder + QStringLiteral("/tillbaka.ini");
    settings::ValueWriter writer(path);
    writer.writeNumber(set.antal);
    writer.writeNumber(set.typOvre);
    writer.writeNumber(set.typUndre);
    for (const QString& text : set.texts)
        writer.writeText(text);
    if (!put(path, writer.bytes())) {
        finding.problem = QStringLiteral("cannot write ") + path;
        return;
    }
    CardSet again;
    if (!readAsSupervisor(path, again, finding))
        finding.problem = QStringLiteral("a written card set does not read back");
    else if (!(again == set))
        finding.problem = QStringLiteral("a card set changed on its way through the writer");
}

// Every input must end in a card set or in a runtime::Error with a complete message, and
// both programs must take the same values from the same bytes.
inline Finding check(const QByteArray& bytes, const QString& folder)
{
    Finding finding;
    const QString path = folder + QStringLiteral("/kortvy.ini");
    if (!put(path, bytes))
        return {QStringLiteral("cannot write ") + path};

    CardSet game;
    const bool gamePlays = readAsGame(path, game, finding);
    CardSet supervisor;
    const bool supervisorOpens = readAsSupervisor(path, supervisor, finding);
    if (gamePlays && !(supervisorOpens && supervisor == game))
        finding.problem = QStringLiteral("the game reads a card set that the supervisor tool reads otherwise");
    if (supervisorOpens && supervisor.antal >= 1 && supervisor.antal <= 10 && !gamePlays)
        finding.problem = QStringLiteral("the supervisor tool reads a card set that the game refuses");
    if (supervisorOpens && !finding)
        roundTrip(supervisor, folder, finding);
    return finding;
}

} // namespace cardsetcheck
