#pragma once

#include "runtime/Random.h"

#include <QList>
#include <QtGlobal>
#include <utility>

// A generator that gives the listed draws in turn; asking for more is a fault of the code
// under test (a shuffle that would otherwise draw for ever).
class ScriptedRandom : public runtime::RandomSource {
public:
    explicit ScriptedRandom(QList<float> draws)
        : m_draws(std::move(draws))
    {
    }
    void seedFromClock() override { ++seeds; }
    float next() override
    {
        if (used == m_draws.size())
            qFatal("ScriptedRandom: asked for draw %lld of %lld", qlonglong(used + 1), qlonglong(m_draws.size()));
        return m_draws.at(used++);
    }
    int seeds = 0;
    qsizetype used = 0;

private:
    QList<float> m_draws;
};

// Puts a generator in place of the program's own for as long as it lives.
class RandomInPlace {
public:
    explicit RandomInPlace(runtime::RandomSource* source) { runtime::replaceRandomSource(source); }
    ~RandomInPlace() { runtime::replaceRandomSource(nullptr); }
};
