#pragma once

// Card sets, generators and windows for the game's tests.

#include "tests/support/TestSupport.h"

#include "app/Program.h"
#include "runtime/Random.h"
#include "game/Form1.h"

#include <QTest>
#include <utility>

namespace gametest {

// A set of n cards whose pictures exist, in all three formats, and whose texts tell card
// and row apart ("ö3" = upper text of card 3, "u3" = lower).
inline void writeStandard(const CardFolder& folder, int n, int typOvre = 2, int typUndre = 2)
{
    static const char* const kinds[] = {"bmp", "gif", "jpg"};
    QStringList strings;
    for (int i = 0; i < n; ++i) {
        const QString upper = QStringLiteral("ovre%1.%2").arg(i).arg(QLatin1String(kinds[i % 3]));
        const QString lower = QStringLiteral("undre%1.%2").arg(i).arg(QLatin1String(kinds[(i + 1) % 3]));
        folder.picture(upper);
        folder.picture(lower, QColor(200, 60, 40));
        strings << upper << lower << QStringLiteral("ö%1").arg(i) << QStringLiteral("u%1").arg(i);
    }
    folder.writeIni(cardFile(n, typOvre, typUndre, strings));
}

// Runs the load handler and gives the message it fails with, or an empty text.
inline QString loadFailure(game::Form1& form)
{
    return failureOf([&form] { form.load(); });
}

// A game loaded from a standard set of its own folder; `failure` says why loading failed.
struct Game {
    Game(int antal, int typOvre = 2, int typUndre = 2)
    {
        writeStandard(folder, antal, typOvre, typUndre);
        failure = loadFailure(form);
    }
    // Shows the window as the program does after loading and waits until it takes clicks.
    bool show()
    {
        forms::showCentred(&form);
        return QTest::qWaitForWindowExposed(&form);
    }
    CardFolder folder;
    game::Form1 form;
    QString failure;
};

// The columns of a test over card sets: the count and the two row types.
inline void addSetColumns()
{
    QTest::addColumn<int>("antal");
    QTest::addColumn<int>("typOvre");
    QTest::addColumn<int>("typUndre");
}
#define FETCH_SET            \
    QFETCH(int, antal);      \
    QFETCH(int, typOvre);    \
    QFETCH(int, typUndre)

// A generator that gives the listed draws in turn; asking for more is a fault of the code
// under test (a shuffle that would otherwise draw for ever).
class ScriptedRandom : public runtime::RandomSource {
public:
    explicit ScriptedRandom(QList<float> draws)
        : draws_(std::move(draws))
    {
    }
    void seedFromClock() override { ++seeds; }
    float next() override
    {
        if (used == draws_.size())
            qFatal("ScriptedRandom: asked for draw %lld of %lld", qlonglong(used + 1), qlonglong(draws_.size()));
        return draws_.at(used++);
    }
    int seeds = 0;
    qsizetype used = 0;

private:
    QList<float> draws_;
};

// Puts a generator in place of the program's own for as long as it lives.
class RandomInPlace {
public:
    explicit RandomInPlace(runtime::RandomSource* source) { runtime::replaceRandomSource(source); }
    ~RandomInPlace() { runtime::replaceRandomSource(nullptr); }
};

} // namespace gametest
