#pragma once

// Card sets for the robustness tests, on top of the shared card folders of TestSupport.h.

#include "tests/support/TestSupport.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QStringList>

namespace robust {

// The card lines of n cards, four a card, in file order: card i has the upper picture
// ovre<i>.bmp, the lower picture undre<i>.gif and the texts "ord <i>" and "Ord <i>".
inline QStringList cardLines(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i) {
        lines << quoted(QStringLiteral("ovre%1.bmp").arg(i)) << quoted(QStringLiteral("undre%1.gif").arg(i))
              << quoted(QStringLiteral("ord %1").arg(i)) << quoted(QStringLiteral("Ord %1").arg(i));
    }
    return lines;
}

// A whole file as the supervisor tool writes it, but with any count line: the count line,
// both types, then n cards.
inline QByteArray cardSet(const QString& count, int n, int upperDisplay = 2, int lowerDisplay = 2)
{
    return iniLines(QStringList{count, QString::number(upperDisplay), QString::number(lowerDisplay)} + cardLines(n));
}

inline QString filePath(const CardFolder& folder, const QString& name)
{
    return QDir(folder.path()).filePath(name);
}

// The small pictures that cardLines(n) names.
inline void pictures(const CardFolder& folder, int n)
{
    for (int i = 0; i < n; ++i) {
        folder.picture(QStringLiteral("ovre%1.bmp").arg(i), QColor(30, 60, 200), QSize(16, 12));
        folder.picture(QStringLiteral("undre%1.gif").arg(i), QColor(200, 60, 30), QSize(16, 12));
    }
}

// The environment of a program started by a test: no display, UTF-8 messages.
inline QProcessEnvironment programEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return env;
}

} // namespace robust
