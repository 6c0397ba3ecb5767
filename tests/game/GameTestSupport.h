#pragma once

// Card-set folders for the game's tests: a temporary folder made the current directory,
// holding a kortvy.ini written byte for byte as the supervisor tool writes it, and real
// pictures.

#include "TestSupport.h"

#include "forms/Program.h"
#include "forms/Random.h"
#include "game/Form1.h"

#include <QDir>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <exception>
#include <utility>

namespace gametest {

struct Card {
    QString bildOvre;
    QString bildUndre;
    QString textOvre;
    QString textUndre;
};

// One value a line, CR LF after each, texts quoted, Windows-1252 bytes.
inline QByteArray iniLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

inline QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

inline QByteArray cardFile(int antal, int typOvre, int typUndre, const QList<Card>& cards)
{
    QStringList lines{QString::number(antal), QString::number(typOvre), QString::number(typUndre)};
    for (const Card& c : cards)
        lines << quoted(c.bildOvre) << quoted(c.bildUndre) << quoted(c.textOvre) << quoted(c.textUndre);
    return iniLines(lines);
}

// The folder a game starts in; it is the current directory for as long as it lives.
class CardFolder {
public:
    CardFolder()
        : before_(QDir::currentPath())
    {
        if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
            qFatal("CardFolder: no temporary folder");
    }
    ~CardFolder() { QDir::setCurrent(before_); }

    QString path() const { return dir_.path(); }
    void writeIni(const QByteArray& bytes) const { writeBytes(dir_.filePath(QStringLiteral("kortvy.ini")), bytes); }
    void picture(const QString& name, QColor colour = QColor(40, 80, 200), QSize size = QSize(24, 18)) const
    {
        writePicture(dir_.path(), name, size, colour);
    }

    // A set of n cards whose pictures exist, in all three formats, and whose texts tell
    // card and row apart ("ö3" = upper text of card 3, "u3" = lower).
    QList<Card> standardCards(int n) const
    {
        static const char* const kinds[] = {"bmp", "gif", "jpg"};
        QList<Card> cards;
        for (int i = 0; i < n; ++i) {
            const QString upper = QStringLiteral("ovre%1.%2").arg(i).arg(QLatin1String(kinds[i % 3]));
            const QString lower = QStringLiteral("undre%1.%2").arg(i).arg(QLatin1String(kinds[(i + 1) % 3]));
            picture(upper);
            picture(lower, QColor(200, 60, 40));
            cards << Card{upper, lower, QStringLiteral("ö%1").arg(i), QStringLiteral("u%1").arg(i)};
        }
        return cards;
    }
    void writeStandard(int n, int typOvre = 2, int typUndre = 2) const
    {
        writeIni(cardFile(n, typOvre, typUndre, standardCards(n)));
    }

private:
    QString before_;
    QTemporaryDir dir_;
};

// A generator that gives the listed draws in turn and then repeats the last one.
class ScriptedRandom : public forms::RandomSource {
public:
    explicit ScriptedRandom(QList<float> draws)
        : draws_(std::move(draws))
    {
    }
    void seedFromClock() override { ++seeds; }
    float next() override
    {
        const float r = draws_.at(qMin(used, draws_.size() - 1));
        ++used;
        return r;
    }
    int seeds = 0;
    qsizetype used = 0;

private:
    QList<float> draws_;
};

// Puts a generator in place of the program's own for as long as it lives.
class RandomInPlace {
public:
    explicit RandomInPlace(forms::RandomSource* source) { forms::replaceRandomSource(source); }
    ~RandomInPlace() { forms::replaceRandomSource(nullptr); }
};

// Runs the load handler and gives the message it fails with, or an empty text.
inline QString loadFailure(game::Form1& form)
{
    try {
        form.Form_Load();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

// Shows the window as the program does after loading and waits until it can take clicks.
inline bool showGame(game::Form1& form)
{
    forms::showCentred(&form);
    return QTest::qWaitForWindowExposed(&form);
}

// A left click at the centre of a control, sent to the window as the window system sends
// it, so that it reaches whatever lies uppermost at that point.
inline void clickAt(QWidget* control, QPoint inControl)
{
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, inControl));
}

inline void click(QWidget* control)
{
    clickAt(control, control->rect().center());
}

} // namespace gametest
